# Sources that must hold only ASCII (so that clang, which has no cp932
# execution character set, builds them with the same bytes).  The list goes
# into a file that the source-encoding test reads.
set_property(GLOBAL PROPERTY TANSU_ASCII_ONLY_SOURCES "")

function(tansu_ascii_only target)
  get_target_property(srcs ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(s IN LISTS srcs)
    if(NOT IS_ABSOLUTE "${s}")
      set(s "${dir}/${s}")
    endif()
    set_property(GLOBAL APPEND PROPERTY TANSU_ASCII_ONLY_SOURCES "${s}")
  endforeach()
endfunction()

# Embeds a text file into the program as a byte array named `symbol`
# (declared as `extern const char symbol[]; extern const unsigned symbol_size;`).
function(tansu_embed_text target file symbol)
  get_filename_component(abs "${file}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS "${abs}" ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
