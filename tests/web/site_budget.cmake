# The built module's two budgets that are not timings: worm.js and worm.wasm at most 40,000 bytes
# gzip -9 compressed, as the page that carries them both (worm.wasm as base64) is served, and a
# WebAssembly memory that starts at 128 KiB, what the game uses, not emscripten's 16 MiB. Run as
# cmake -DSITE_DIR=<built site> -P site_budget.cmake.
set(gzipped 0)
foreach(file index.html)
  file(ARCHIVE_CREATE OUTPUT ${SITE_DIR}/${file}.budget.gz PATHS ${SITE_DIR}/${file}
       FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
  file(SIZE ${SITE_DIR}/${file}.budget.gz size)
  file(REMOVE ${SITE_DIR}/${file}.budget.gz)
  math(EXPR gzipped "${gzipped} + ${size}")
endforeach()
message(STATUS "index.html with worm.js and worm.wasm: ${gzipped} bytes gzipped")
if(gzipped GREATER 40000)
  message(FATAL_ERROR "index.html with worm.js and worm.wasm weighs ${gzipped} bytes gzipped, over the 40,000 of the budget")
endif()

# The module's memory section: its first memory's initial size in 64 KiB pages.
file(READ ${SITE_DIR}/worm.wasm hex HEX)
string(LENGTH "${hex}" end)
macro(read_leb var) # an unsigned LEB128 number at pos, in hex digits
  set(${var} 0)
  set(shift 0)
  set(more 1)
  while(more)
    string(SUBSTRING "${hex}" ${pos} 2 byte)
    math(EXPR pos "${pos} + 2")
    math(EXPR value "0x${byte}")
    math(EXPR ${var} "${${var}} + ((${value} & 127) << ${shift})")
    math(EXPR more "${value} >> 7")
    math(EXPR shift "${shift} + 7")
  endwhile()
endmacro()
set(pos 16) # past the magic number and the version
set(pages "")
while(pos LESS end AND pages STREQUAL "")
  string(SUBSTRING "${hex}" ${pos} 2 id)
  math(EXPR pos "${pos} + 2")
  read_leb(size)
  math(EXPR next "${pos} + 2 * ${size}")
  if(id STREQUAL "05")
    read_leb(count)
    math(EXPR pos "${pos} + 2") # the limits' flags
    read_leb(pages)
  endif()
  set(pos ${next})
endwhile()
message(STATUS "worm.wasm's memory starts at ${pages} pages of 64 KiB")
if(pages STREQUAL "" OR pages GREATER 2)
  message(FATAL_ERROR "worm.wasm's memory starts at '${pages}' pages of 64 KiB, not at most 2 (128 KiB)")
endif()
