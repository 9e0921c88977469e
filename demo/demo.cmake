# Lays out the program folder ${TEVRA_PROGRAM_DIR} from demo/program/, a mirror of it:
# - every file is copied keeping its relative path,
# - except X.ddt.txt, which is encrypted with tevra-ddt into X.ddt,
# - and Config.ini, which is copied only when the program folder has none, so that the
#   settings a user made survive a rebuild;
# - the empty Log/ folder is created.
# The target tevra_program_folder does all of it; the program and the tests depend on it.

# Script mode: cmake -DSRC=... -DDST=... -P demo.cmake copies SRC to DST when DST is absent.
if(CMAKE_SCRIPT_MODE_FILE)
    if(NOT EXISTS "${DST}")
        get_filename_component(dst_dir "${DST}" DIRECTORY)
        file(MAKE_DIRECTORY "${dst_dir}")
        file(COPY_FILE "${SRC}" "${DST}")
    endif()
    return()
endif()

# The sources; another folder may be given for trying the layout out.
if(NOT TEVRA_DEMO_PROGRAM)
    set(TEVRA_DEMO_PROGRAM ${CMAKE_CURRENT_LIST_DIR}/program)
endif()
file(GLOB_RECURSE tevra_demo_files CONFIGURE_DEPENDS LIST_DIRECTORIES false
     RELATIVE ${TEVRA_DEMO_PROGRAM} ${TEVRA_DEMO_PROGRAM}/*)

set(tevra_demo_outputs)
set(tevra_demo_config_command)
foreach(rel IN LISTS tevra_demo_files)
    set(src ${TEVRA_DEMO_PROGRAM}/${rel})
    if(rel STREQUAL "Config.ini")
        set(tevra_demo_config_command
            COMMAND ${CMAKE_COMMAND} -DSRC=${src} -DDST=${TEVRA_PROGRAM_DIR}/Config.ini
                    -P ${CMAKE_CURRENT_LIST_FILE})
        continue()
    endif()
    if(rel MATCHES "\\.ddt\\.txt$")
        string(REGEX REPLACE "\\.txt$" "" out_rel "${rel}")
        set(dst ${TEVRA_PROGRAM_DIR}/${out_rel})
        get_filename_component(dst_dir ${dst} DIRECTORY)
        add_custom_command(
            OUTPUT ${dst}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dst_dir}
            COMMAND tevra-ddt encode ${src} ${dst}
            DEPENDS ${src} tevra-ddt
            COMMENT "Encrypting ${out_rel}"
            VERBATIM)
    else()
        set(dst ${TEVRA_PROGRAM_DIR}/${rel})
        add_custom_command(
            OUTPUT ${dst}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${dst}
            DEPENDS ${src}
            COMMENT "Copying ${rel}"
            VERBATIM)
    endif()
    list(APPEND tevra_demo_outputs ${dst})
endforeach()

add_custom_target(tevra_program_folder ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TEVRA_PROGRAM_DIR}/Log
    ${tevra_demo_config_command}
    DEPENDS ${tevra_demo_outputs}
    COMMENT "Program folder ${TEVRA_PROGRAM_DIR}"
    VERBATIM)
# tevra-ddt is needed by the tests even before any description is laid out.
add_dependencies(tevra_program_folder tevra-ddt)

if(TARGET tevra)
    add_dependencies(tevra tevra_program_folder)
endif()
