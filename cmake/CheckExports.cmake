# Fails unless a module exports exactly the given names: the defined dynamic symbols of an
# ELF module (nm -D), or the export name table of a PE DLL (objdump -p). With QT_MAJOR, a PE
# DLL must also import QtNCore.dll of that major version N and no Qt DLL of another.
#   cmake -DMODULE=FILE -DFORMAT=elf|pe -DTOOL=nm|objdump -DEXPECTED=name,name,... \
#         [-DQT_MAJOR=N] -P CheckExports.cmake
foreach(_var MODULE FORMAT TOOL EXPECTED)
    if(NOT DEFINED ${_var})
        message(FATAL_ERROR "CheckExports: ${_var} is not set")
    endif()
endforeach()

if(FORMAT STREQUAL "pe")
    execute_process(COMMAND ${TOOL} -p ${MODULE} OUTPUT_VARIABLE _out RESULT_VARIABLE _rc)
else()
    execute_process(COMMAND ${TOOL} -D --defined-only ${MODULE} OUTPUT_VARIABLE _out
                    RESULT_VARIABLE _rc)
endif()
if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "CheckExports: ${TOOL} failed on ${MODULE}")
endif()

string(REPLACE "\n" ";" _lines "${_out}")
set(_names)
set(_qt_imports)
set(_in_table FALSE)
foreach(_line IN LISTS _lines)
    if(FORMAT STREQUAL "pe" AND _line MATCHES "^[ \t]*DLL Name: (Qt.*)$")
        list(APPEND _qt_imports "${CMAKE_MATCH_1}")
    endif()
    if(FORMAT STREQUAL "pe")
        # "[Ordinal/Name Pointer] Table" is followed by "\t[   0] name" lines up to a blank one
        if(_line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
            set(_in_table TRUE)
        elseif(_in_table AND _line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
            list(APPEND _names "${CMAKE_MATCH_1}")
        elseif(_in_table)
            set(_in_table FALSE)
        endif()
    elseif(_line MATCHES "^[0-9a-fA-F]* *[A-Za-z] (.+)$")
        list(APPEND _names "${CMAKE_MATCH_1}")
    endif()
endforeach()

string(REPLACE "," ";" _expected "${EXPECTED}")
list(SORT _names)
list(SORT _expected)
if(NOT _names STREQUAL _expected)
    message(FATAL_ERROR "CheckExports: ${MODULE} exports [${_names}], expected [${_expected}]")
endif()
message(STATUS "${MODULE} exports exactly ${_names}")

if(FORMAT STREQUAL "pe" AND DEFINED QT_MAJOR)
    set(_foreign ${_qt_imports})
    list(FILTER _foreign EXCLUDE REGEX "^Qt${QT_MAJOR}[A-Za-z]+\\.dll$")
    list(FIND _qt_imports "Qt${QT_MAJOR}Core.dll" _core)
    if(_core EQUAL -1 OR _foreign)
        message(FATAL_ERROR "CheckExports: ${MODULE} imports the Qt DLLs [${_qt_imports}], "
                            "expected Qt${QT_MAJOR}Core.dll and no Qt of another version")
    endif()
    message(STATUS "${MODULE} imports the Qt DLLs ${_qt_imports}")
endif()
