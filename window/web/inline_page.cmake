# Writes the page and its nginx server block once worm.js is built. The page's style, its boot
# script, the game's script worm.js and its module worm.wasm all go inside index.html, so the first
# board waits for no other file; the policy allows the three inline texts by their SHA-256 and
# nothing else inline. The module goes in as base64 in a data block, which is never run. Run as
# cmake -DSOURCE_DIR=<window/web> -DBINARY_DIR=<its build> -DWORM_SUMMARY=<text> -P inline_page.cmake.

# base64 of the bytes a string of hex digits spells, as a policy's hash source wants them.
function(worm_hex_to_base64 hex out)
  set(digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" length)
  set(encoded "")
  foreach(at RANGE 0 ${length} 6)
    string(SUBSTRING "${hex}" ${at} 6 group)
    string(LENGTH "${group}" group_length)
    if(group_length EQUAL 0)
      break()
    endif()
    math(EXPR bytes "${group_length} / 2")
    math(EXPR pad "(3 - ${bytes}) * 8")
    math(EXPR value "(0x${group} << ${pad})")
    foreach(shift 18 12 6 0)
      math(EXPR index "(${value} >> ${shift}) & 63")
      string(SUBSTRING "${digits}" ${index} 1 digit)
      string(APPEND encoded "${digit}")
    endforeach()
  endforeach()
  # A last group of one or two bytes gives two or three digits; '=' fills the rest.
  math(EXPR extra "(${length} / 2) % 3")
  if(extra EQUAL 1)
    string(REGEX REPLACE "..$" "==" encoded "${encoded}")
  elseif(extra EQUAL 2)
    string(REGEX REPLACE ".$" "=" encoded "${encoded}")
  endif()
  set(${out} "${encoded}" PARENT_SCOPE)
endfunction()

# The SHA-256 source of an inline text, as a policy names it.
function(worm_hash_source text out)
  string(SHA256 hex "${text}")
  worm_hex_to_base64(${hex} encoded)
  set(${out} "'sha256-${encoded}'" PARENT_SCOPE)
endfunction()

file(READ ${SOURCE_DIR}/page.css WORM_PAGE_CSS)
file(READ ${SOURCE_DIR}/boot.js WORM_BOOT_JS)
file(READ ${BINARY_DIR}/worm.js WORM_JS)
# Inside <script>, the first "</script" ends the script wherever it stands.
if(WORM_JS MATCHES "</[sS][cC][rR][iI][pP][tT]")
  message(FATAL_ERROR "worm.js holds '</script', which would end its inline copy early")
endif()
# coreutils' base64: the hex-to-base64 function above is far too slow for 36 KB.
execute_process(COMMAND base64 -w 0 ${BINARY_DIR}/worm.wasm OUTPUT_VARIABLE WORM_WASM_BASE64 COMMAND_ERROR_IS_FATAL ANY)
worm_hash_source("${WORM_PAGE_CSS}" css_hash)
worm_hash_source("${WORM_BOOT_JS}" boot_hash)
worm_hash_source("${WORM_JS}" js_hash)
# The page's policy, without what only a header can say.
set(WORM_POLICY "default-src 'self'; script-src 'self' 'wasm-unsafe-eval' ${boot_hash} ${js_hash}; style-src 'self' ${css_hash}; object-src 'none'; base-uri 'none'")
configure_file(${SOURCE_DIR}/index.html ${BINARY_DIR}/index.html @ONLY)
# Not a file of the site: the server block for nginx, with the same policy, beside it.
configure_file(${SOURCE_DIR}/nginx.conf.in ${BINARY_DIR}/../nginx.conf @ONLY)
