# Files compiled into the program as byte arrays, for data that must be there even when no file
# lies beside the executable (the built-in address rules, the sandbox web's corpus pages).
#
# marvessa_embed_files(OUTPUT VARIABLE FILE...) generates the source OUTPUT, defining
# "const EmbeddedFile VARIABLE[]" and "const std::size_t VARIABLECount" (base/uembedded.h) with one
# entry per file, named by its file name, in the order given.
function(marvessa_embed_files output variable)
  string(REPLACE ";" "|" files "${ARGN}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DVARIABLE=${variable} -DFILES=${files}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${ARGN} ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding ${variable}"
    VERBATIM)
endfunction()
