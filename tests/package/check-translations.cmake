# Fails when the catalogue TS_FILE holds a text without a finished translation.
file(READ ${TS_FILE} ts)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" open "${ts}")
list(LENGTH open count)
if(count GREATER 0)
    string(REPLACE "<translation type=\"unfinished\"" "" open "${open}")
    message(FATAL_ERROR "${count} text(s) of ${TS_FILE} have no finished translation "
                        "(run `make translations`, then translate them):\n${open}")
endif()
message(STATUS "every text of ${TS_FILE} is translated")
