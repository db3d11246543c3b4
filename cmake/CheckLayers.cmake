# Fails when a lower folder of src/ includes a header from a folder above it. The device folders talk
# to hardware and the system only; they know nothing of the window's state, the rehearsal or the GUI.
# Run as: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
set(forbidden_above
    "common:schedule|calendar|engine|relay|sound|platform|sim|app|editor"
    "schedule:calendar|engine|relay|sound|platform|sim|app|editor"
    "calendar:engine|relay|sound|platform|sim|app|editor"
    "relay:calendar|engine|app|editor|sim"
    "sound:calendar|engine|app|editor|sim"
    "platform:calendar|engine|app|editor|sim"
    "engine:app|editor|sim")
set(violations "")
foreach(rule IN LISTS forbidden_above)
    string(REPLACE ":" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(GET parts 1 above)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"(${above})/")
        foreach(line IN LISTS includes)
            file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
            string(STRIP "${line}" line)
            string(APPEND violations "  ${shown}: ${line}\n")
        endforeach()
    endforeach()
endforeach()
if(violations)
    message(FATAL_ERROR "Includes that reach above their layer:\n${violations}")
endif()
message(STATUS "layers: every folder includes only from its own layer or below")
