# Runs at install time, after every other install rule. CMake creates the
# directories it installs into with the installer's umask, so a restrictive
# one (027, say) would leave lib/kestrix unreadable to the users who run the
# program, and a package staged that way would ship such directories. Every
# directory below the prefix that holds an installed file gets read and search
# permission for all; nothing else about it changes.
cmake_policy(PUSH)
cmake_policy(VERSION 3.25)
# The manifest names files without $DESTDIR.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(directories)
foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    cmake_path(GET file PARENT_PATH directory)
    while(NOT directory STREQUAL prefix)
        cmake_path(IS_PREFIX prefix "${directory}" NORMALIZE below_prefix)
        if(NOT below_prefix OR "$ENV{DESTDIR}${directory}" IN_LIST directories)
            break()
        endif()
        list(APPEND directories "$ENV{DESTDIR}${directory}")
        cmake_path(GET directory PARENT_PATH directory)
    endwhile()
endforeach()
if(directories)
    execute_process(COMMAND chmod go+rx ${directories} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "Cannot open the installed directories to everyone")
    endif()
endif()
cmake_policy(POP)
