# Generates the melodies, announcements and ceremony sounds into the program folder at build time, and
# installs them with the defaults. Generated files are never committed; they are made again only when
# the generator or a spoken text changes.

set(VEZOZIL_MELODY_NAMES 1 2 3 4 5 6 7 8 9 anons1 anons2)
set(VEZOZIL_CEREMONY_NAMES istiklal saygi saygi2 saygidurusu siren)
if(CMAKE_CROSSCOMPILING)
    # Sounds are data: the host build makes them, and a cross build copies them rather than running
    # the generator under an emulator.
    set(VEZOZIL_HOST_BUILD "" CACHE PATH "A host build tree whose program folder holds the generated sounds")
    if(NOT EXISTS "${VEZOZIL_HOST_BUILD}/melodiler/1.wav")
        message(FATAL_ERROR "a cross build takes its sounds from a host build: -DVEZOZIL_HOST_BUILD=<build>")
    endif()
    set(VEZOZIL_MELODY_FILES)
    set(VEZOZIL_CEREMONY_FILES)
    foreach(kind melodiler marslar)
        set(names ${VEZOZIL_MELODY_NAMES})
        if(kind STREQUAL marslar)
            set(names ${VEZOZIL_CEREMONY_NAMES})
        endif()
        foreach(name IN LISTS names)
            set(wav ${VEZOZIL_PROGRAM_DIR}/${kind}/${name}.wav)
            add_custom_command(OUTPUT ${wav}
                COMMAND ${CMAKE_COMMAND} -E copy ${VEZOZIL_HOST_BUILD}/${kind}/${name}.wav ${wav}
                DEPENDS ${VEZOZIL_HOST_BUILD}/${kind}/${name}.wav VERBATIM)
            if(kind STREQUAL marslar)
                list(APPEND VEZOZIL_CEREMONY_FILES ${wav})
            else()
                list(APPEND VEZOZIL_MELODY_FILES ${wav})
            endif()
        endforeach()
    endforeach()
    add_custom_target(vezozil_sounds ALL DEPENDS ${VEZOZIL_MELODY_FILES} ${VEZOZIL_CEREMONY_FILES})
    return()
endif()

find_program(VEZOZIL_ESPEAK_NG espeak-ng)
if(NOT VEZOZIL_ESPEAK_NG)
    message(FATAL_ERROR "espeak-ng is needed to speak the announcements: run scripts/install-deps")
endif()

add_executable(vezozil_soundgen
    tools/soundgen/main.cpp
    tools/soundgen/Signal.cpp
    tools/soundgen/Instruments.cpp
    tools/soundgen/Melodies.cpp
    tools/soundgen/Ceremony.cpp)
# Optimised in every build type, so a debug or sanitizer build still generates in a few seconds.
target_compile_options(vezozil_soundgen PRIVATE -O2)

# Turkish speech, one recording per text in tools/speech.
set(VEZOZIL_SPEECH_DIR ${CMAKE_BINARY_DIR}/soundgen-speech)
set(VEZOZIL_SPEECH_FILES)
foreach(text anons1 anons2 yer-tutucu)
    set(wav ${VEZOZIL_SPEECH_DIR}/${text}.wav)
    add_custom_command(OUTPUT ${wav}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VEZOZIL_SPEECH_DIR}
        COMMAND ${VEZOZIL_ESPEAK_NG} -v tr -s 150 -f ${CMAKE_SOURCE_DIR}/tools/speech/${text}.txt -w ${wav}
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/speech/${text}.txt
        COMMENT "Speaking tools/speech/${text}.txt"
        VERBATIM)
    list(APPEND VEZOZIL_SPEECH_FILES ${wav})
endforeach()

set(VEZOZIL_MELODY_FILES)
foreach(n RANGE 1 9)
    list(APPEND VEZOZIL_MELODY_FILES ${VEZOZIL_PROGRAM_DIR}/melodiler/${n}.wav)
endforeach()
list(APPEND VEZOZIL_MELODY_FILES
    ${VEZOZIL_PROGRAM_DIR}/melodiler/anons1.wav
    ${VEZOZIL_PROGRAM_DIR}/melodiler/anons2.wav)
set(VEZOZIL_CEREMONY_FILES)
foreach(name istiklal saygi saygi2 saygidurusu siren)
    list(APPEND VEZOZIL_CEREMONY_FILES ${VEZOZIL_PROGRAM_DIR}/marslar/${name}.wav)
endforeach()

add_custom_command(OUTPUT ${VEZOZIL_MELODY_FILES} ${VEZOZIL_CEREMONY_FILES}
    COMMAND vezozil_soundgen ${VEZOZIL_PROGRAM_DIR} ${VEZOZIL_SPEECH_DIR}
    DEPENDS vezozil_soundgen ${VEZOZIL_SPEECH_FILES}
    COMMENT "Generating the bell melodies, announcements and ceremony sounds"
    VERBATIM)
add_custom_target(vezozil_sounds ALL DEPENDS ${VEZOZIL_MELODY_FILES} ${VEZOZIL_CEREMONY_FILES})

install(FILES ${VEZOZIL_MELODY_FILES} DESTINATION share/vezozil/melodiler)
install(FILES ${VEZOZIL_CEREMONY_FILES} DESTINATION share/vezozil/marslar)
