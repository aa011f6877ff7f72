#include "search/uenginequery.h"

#include "net/ucharset.h"
#include "search/ukeywords.h"

namespace marvessa {

namespace {

std::string Replaced(std::string text, const std::string& placeholder, const std::string& value) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + value.size()))
    text.replace(at, placeholder.size(), value);
  return text;
}

EngineQuery QueryWithHeaders(const EngineDef& engine, std::string url, const std::string& cookies) {
  EngineQuery query;
  query.url = std::move(url);
  for (const auto& [name, value] : engine.extensions.Headers()) query.options.headers.push_back(name + ": " + value);
  query.options.cookies = cookies;
  return query;
}

}  // namespace

EngineQuery BuildEngineQuery(const EngineDef& engine, const std::string& queryUrl, const std::string& token,
                             const std::string& cookies) {
  EngineQuery query = QueryWithHeaders(engine, RequestUrl(Replaced(queryUrl, "{token}", PercentEncode(token))), cookies);
  const std::size_t question = query.url.find('?');
  if (engine.extensions.PostsQuery() && question != std::string::npos) {
    query.options.postBody = query.url.substr(question + 1);
    query.url.erase(question);
  }
  query.options.followRedirects = engine.extensions.FollowsRedirects();
  return query;
}

EngineQuery BuildWarmupQuery(const EngineDef& engine, const std::string& firstQueryUrl, const std::string& cookies) {
  return QueryWithHeaders(engine, RequestUrl(Replaced(engine.extensions.WarmupUrl(), "{query}", firstQueryUrl)), cookies);
}

EngineResponse ResponseOf(const FetchResult& result) {
  EngineResponse response;
  response.status = result.status;
  response.error = result.ok ? std::string() : result.error;
  response.location = result.location;
  response.headers = result.headers;
  response.contentType = result.contentType;
  response.body = result.body;
  response.retryAfterSeconds = result.retryAfterSeconds;
  return response;
}

}  // namespace marvessa
