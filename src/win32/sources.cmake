# The Win32 side of the platform layer: plain C++ over <windows.h>, free of Qt, so that the
# program's Windows build and the MinGW-w64 test under Wine (tests/win) compile the same files.
set(QUILLET_WIN32_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QUILLET_WIN32_SOURCES
    ${QUILLET_WIN32_DIR}/win32_codepage.cpp
    ${QUILLET_WIN32_DIR}/win32_drives.cpp
    ${QUILLET_WIN32_DIR}/win32_error.cpp
    ${QUILLET_WIN32_DIR}/win32_file.cpp
    ${QUILLET_WIN32_DIR}/win32_held_file.cpp
    ${QUILLET_WIN32_DIR}/win32_process.cpp
    ${QUILLET_WIN32_DIR}/win32_rename.cpp
)
set(QUILLET_WIN32_HEADERS
    ${QUILLET_WIN32_DIR}/win32_codepage.h
    ${QUILLET_WIN32_DIR}/win32_drives.h
    ${QUILLET_WIN32_DIR}/win32_error.h
    ${QUILLET_WIN32_DIR}/win32_file.h
    ${QUILLET_WIN32_DIR}/win32_held_file.h
    ${QUILLET_WIN32_DIR}/win32_process.h
    ${QUILLET_WIN32_DIR}/win32_rename.h
)
# The name rules they check names by: plain C++ of the names library, which the Windows build
# links as quillet_names and the test under Wine compiles with these files.
set(QUILLET_WIN32_INCLUDE ${QUILLET_WIN32_DIR}/..)
set(QUILLET_NAME_RULES_SOURCES ${QUILLET_WIN32_INCLUDE}/names/name_rules.cpp)
set(QUILLET_NAME_RULES_HEADERS ${QUILLET_WIN32_INCLUDE}/names/name_rules.h)
# The system libraries they call besides kernel32.
set(QUILLET_WIN32_LIBS shell32)
