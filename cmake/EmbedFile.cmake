# cmake -DIN=file -DOUT=file.cpp -DSYMBOL=name -P EmbedFile.cmake
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUT}"
  "// Generated from ${IN}; do not edit.\n"
  "extern const char ${SYMBOL}[];\nextern const unsigned ${SYMBOL}_size;\n"
  "const char ${SYMBOL}[] = {${bytes} 0};\n"
  "const unsigned ${SYMBOL}_size = ${size};\n")
