# Writes the package's summary, long description and homepage, read from the AppStream metainfo,
# as dpkg substitution variables, so that debian/control does not say them a second time.
# usage: cmake -DOUTPUT=debian/substvars -P packaging/metainfo_fields.cmake
file(GLOB metainfo "${CMAKE_CURRENT_LIST_DIR}/*.metainfo.xml")
file(READ "${metainfo}" xml)
if(xml MATCHES "&")
  message(FATAL_ERROR "${metainfo}: decode its XML entities here before they reach the package")
endif()

string(REGEX MATCH "<summary>([^<]*)</summary>" _ "${xml}")
set(summary "${CMAKE_MATCH_1}")
string(REGEX MATCH "<url type=\"homepage\">([^<]*)</url>" _ "${xml}")
set(homepage "${CMAKE_MATCH_1}")
# The first <description> is the program's; those further down are the releases'.
string(FIND "${xml}" "<description>" from)
string(FIND "${xml}" "</description>" to)
math(EXPR length "${to} - ${from}")
string(SUBSTRING "${xml}" ${from} ${length} description)
string(REGEX MATCHALL "<p>[^<]*</p>" paragraphs "${description}")
if(summary STREQUAL "" OR homepage STREQUAL "" OR NOT paragraphs)
  message(FATAL_ERROR "${metainfo}: no summary, homepage or description paragraph found")
endif()

# A Debian synopsis continues "arcade game: ", so it starts in lower case.
string(SUBSTRING "${summary}" 0 1 first)
string(SUBSTRING "${summary}" 1 -1 rest)
string(TOLOWER "${first}" first)

# Paragraphs filled to 72 columns; dpkg writes the empty line between them as " .".
set(lines "")
foreach(paragraph IN LISTS paragraphs)
  if(lines)
    string(APPEND lines "\${Newline}\${Newline}")
  endif()
  string(REGEX REPLACE "</?p>" "" paragraph "${paragraph}")
  string(STRIP "${paragraph}" paragraph)
  string(REGEX REPLACE "[ \t\r\n]+" ";" words "${paragraph}")
  set(line "")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" width)
    if(line STREQUAL "")
      set(line "${word}")
    elseif(width GREATER 72)
      string(APPEND lines "${line}\${Newline}")
      set(line "${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  string(APPEND lines "${line}")
endforeach()

# ?= : the debug symbols' package is made from the same variables and uses none of them.
file(WRITE "${OUTPUT}" "worm:Summary?=${first}${rest}\nworm:Description?=${lines}\nworm:Homepage?=${homepage}\n")
