# Fails when the catalogue TS_FILE holds a text without a finished translation. With LUPDATE
# and SOURCE_DIR, a copy of the catalogue is first brought up to date with the texts of the
# code in SOURCE_DIR/src (as `make translations` does), so that a text the catalogue does not
# hold yet counts as untranslated too.
if(LUPDATE)
    get_filename_component(name ${TS_FILE} NAME)
    set(updated ${WORK_DIR}/${name})
    file(COPY_FILE ${TS_FILE} ${updated})
    file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
    list(JOIN sources "\n" list_text)
    file(WRITE ${WORK_DIR}/translated_sources.lst "${list_text}\n")
    execute_process(COMMAND ${LUPDATE} -silent -no-obsolete -locations none
                            -I ${SOURCE_DIR}/src @${WORK_DIR}/translated_sources.lst
                            -ts ${updated}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on a copy of ${TS_FILE}")
    endif()
    set(TS_FILE ${updated})
endif()
file(READ ${TS_FILE} ts)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" open "${ts}")
# Counted apart: a semicolon in a text would split it into two list items.
string(REGEX MATCHALL "<translation type=\"unfinished\"" marks "${ts}")
list(LENGTH marks count)
if(count GREATER 0)
    string(REPLACE "<translation type=\"unfinished\"" "" open "${open}")
    message(FATAL_ERROR "${count} text(s) of ${TS_FILE} have no finished translation "
                        "(run `make translations`, then translate them):\n${open}")
endif()
message(STATUS "every text of ${TS_FILE} is translated")
