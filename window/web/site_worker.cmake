# Writes sw.js from its template: each file of the build with its SHA-256, and the build's name, a
# hash of them all. The page's own address, ./, is not a file: the worker answers it with index.html.
set(hashes "")
set(listed "")
foreach(file ${SITE_FILES})
  file(SHA256 ${SITE_DIR}/${file} hash)
  string(APPEND hashes "${file}:${hash}\n")
  string(APPEND listed "\n  '${file}': '${hash}',")
endforeach()
string(SHA256 build_hash "${hashes}")
string(SUBSTRING ${build_hash} 0 16 WORM_BUILD_HASH)
set(WORM_SITE_FILES "${listed}\n")
configure_file(${TEMPLATE} ${SITE_DIR}/sw.js @ONLY)
