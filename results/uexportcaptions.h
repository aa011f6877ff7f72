// The customer list's column captions, which head the exported tables.
#pragma once

namespace marvessa {

inline constexpr const char* kEmailCaption = "邮址";
inline constexpr const char* kUrlCaption = "网址";
inline constexpr const char* kTitleCaption = "标题";

}  // namespace marvessa
