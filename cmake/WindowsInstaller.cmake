# The Windows program's icon and Turkish Qt catalogue, and its installer:
# `cmake --build <build> --target installer` writes VezoZil-<version>-kurulum.exe into the build tree.
find_program(VEZOZIL_MAKENSIS makensis REQUIRED)
find_program(VEZOZIL_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VEZOZIL_ICOTOOL icotool REQUIRED)
find_program(VEZOZIL_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
find_program(VEZOZIL_STRIP x86_64-w64-mingw32-strip REQUIRED)
set(VEZOZIL_QT_TURKISH /usr/share/qt6/translations/qtbase_tr.qm)
if(NOT EXISTS ${VEZOZIL_QT_TURKISH})
    message(FATAL_ERROR "Qt's Turkish catalogue is missing: run scripts/install-deps")
endif()

# The bell, drawn at the sizes Explorer, the Start menu and the taskbar ask for, in the program itself.
set(VEZOZIL_WIN_DIR ${CMAKE_BINARY_DIR}/windows)
set(VEZOZIL_ICO ${VEZOZIL_WIN_DIR}/vezozil.ico)
set(pngs)
foreach(size 16 24 32 48 64 256)
    list(APPEND pngs ${VEZOZIL_WIN_DIR}/icon-${size}.png)
    add_custom_command(OUTPUT ${VEZOZIL_WIN_DIR}/icon-${size}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VEZOZIL_WIN_DIR}
        COMMAND ${VEZOZIL_RSVG_CONVERT} -w ${size} -h ${size} -o ${VEZOZIL_WIN_DIR}/icon-${size}.png
            ${CMAKE_SOURCE_DIR}/src/app/icons/vezozil.svg
        DEPENDS ${CMAKE_SOURCE_DIR}/src/app/icons/vezozil.svg VERBATIM)
endforeach()
add_custom_command(OUTPUT ${VEZOZIL_ICO}
    COMMAND ${VEZOZIL_ICOTOOL} -c -o ${VEZOZIL_ICO} ${pngs}
    DEPENDS ${pngs} VERBATIM)
file(WRITE ${VEZOZIL_WIN_DIR}/vezozil.rc "1 ICON \"${VEZOZIL_ICO}\"\n")
target_sources(vezozil PRIVATE ${VEZOZIL_WIN_DIR}/vezozil.rc)
set_source_files_properties(${VEZOZIL_WIN_DIR}/vezozil.rc PROPERTIES OBJECT_DEPENDS ${VEZOZIL_ICO})
# A window program: no black console window opens beside it from the Start menu or at logon. Its twin
# for cmd, the same program as a console program, prints the rehearsal, --help and --version there and
# makes cmd wait for it.
set_target_properties(vezozil PROPERTIES WIN32_EXECUTABLE ON)
add_executable(vezozil-konsol src/app/main.cpp ${VEZOZIL_WIN_DIR}/vezozil.rc)
target_link_libraries(vezozil-konsol PRIVATE vezozil_gui)
set_target_properties(vezozil-konsol PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VEZOZIL_PROGRAM_DIR})

# The build tree is a program folder: Qt's dialog buttons in Turkish there too.
configure_file(${VEZOZIL_QT_TURKISH} ${VEZOZIL_PROGRAM_DIR}/translations/qtbase_tr.qm COPYONLY)

set(VEZOZIL_INSTALLER ${CMAKE_BINARY_DIR}/VezoZil-${PROJECT_VERSION}-kurulum.exe)
set(VEZOZIL_STAGE ${VEZOZIL_WIN_DIR}/stage)
add_custom_command(OUTPUT ${VEZOZIL_INSTALLER}
    COMMAND ${CMAKE_COMMAND} "-DEXE=$<TARGET_FILE:vezozil>;$<TARGET_FILE:vezozil-konsol>" -DSDK=${VEZOZIL_WINSDK} -DSTAGE=${VEZOZIL_STAGE}
        -DDEFAULTS=${CMAKE_SOURCE_DIR}/data -DSOUNDS=${VEZOZIL_PROGRAM_DIR} -DQM=${VEZOZIL_QT_TURKISH}
        -DNATIONAL=${CMAKE_SOURCE_DIR}/src/calendar/resmi-tatiller.ics
        -DOBJDUMP=${VEZOZIL_OBJDUMP} -DSTRIP=${VEZOZIL_STRIP} -P ${CMAKE_SOURCE_DIR}/cmake/WindowsDeploy.cmake
    COMMAND ${VEZOZIL_MAKENSIS} -INPUTCHARSET UTF8 -V2 -DVERSION=${PROJECT_VERSION} -DLISTS=${VEZOZIL_WIN_DIR}
        -DICON=${VEZOZIL_ICO} -DOUTFILE=${VEZOZIL_INSTALLER} ${CMAKE_SOURCE_DIR}/packaging/windows/vezozil.nsi
    DEPENDS vezozil vezozil-konsol vezozil_sounds ${VEZOZIL_ICO} ${CMAKE_SOURCE_DIR}/packaging/windows/vezozil.nsi
        ${CMAKE_SOURCE_DIR}/cmake/WindowsDeploy.cmake ${CMAKE_SOURCE_DIR}/src/calendar/resmi-tatiller.ics
    COMMENT "Building the installer VezoZil-${PROJECT_VERSION}-kurulum.exe"
    VERBATIM)
add_custom_target(installer DEPENDS ${VEZOZIL_INSTALLER})
