# cmake -DIN=file -DOUT=file.cpp -DSYMBOL=name -P EmbedFile.cmake
# Every byte becomes a hexadecimal escape of one string literal, so bytes
# of 0x80 and above keep their values (and the execution character set
# does not touch them).
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" bytes "${hex}")
file(WRITE "${OUT}"
  "// Generated from ${IN}; do not edit.\n"
  "extern const char ${SYMBOL}[];\nextern const unsigned ${SYMBOL}_size;\n"
  "const char ${SYMBOL}[] = \"${bytes}\";\n"
  "const unsigned ${SYMBOL}_size = ${size};\n")
