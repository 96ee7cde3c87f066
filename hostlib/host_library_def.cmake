# Writes the module definition file of the import library through which the
# MinGW programs call QNZUDevice.dll, which is built in Microsoft's ABI. Each
# line maps a name GCC gives an operation of the library to the name the DLL
# exports for it ("gccname == msvcname"); the two are paired by their
# demangled signatures, so no name is written by hand. Plain C names stay as
# they are.
#   cmake -DNM=... -DCXXFILT=... -DGCC_OBJECTS=a.obj;b.obj -DREADOBJ=... -DUNDNAME=...
#         -DDLL=... -DOUTPUT=... -P host_library_def.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var NM CXXFILT GCC_OBJECTS READOBJ UNDNAME DLL OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "host_library_def: ${var} is not set")
  endif()
endforeach()

function(run out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "host_library_def: ${ARGN} failed (${rc}): ${err}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One spelling for a signature from either demangler: no "class "/"enum "
# keywords, no blanks, "()" for "(void)".
function(signature_key demangled out)
  string(REGEX REPLACE "(^|[^A-Za-z0-9_])(class|struct|union|enum) " "\\1" key "${demangled}")
  string(REPLACE " " "" key "${key}")
  string(REPLACE "(void)" "()" key "${key}")
  set(${out} "${key}" PARENT_SCOPE)
endfunction()

# The DLL's exports, C++ ones by signature.
run(exports ${READOBJ} --coff-exports ${DLL})
string(REGEX MATCHALL "Name: [^\n]+" export_lines "${exports}")
set(plain_exports "")
foreach(line IN LISTS export_lines)
  string(REGEX REPLACE "^Name: " "" name "${line}")
  if(name MATCHES "^\\?")
    run(demangled ${UNDNAME} --no-calling-convention --no-return-type --no-access-specifier
      "${name}")
    # Output: the name, its demangled form, a blank line.
    string(REGEX REPLACE "^[^\n]*\n([^\n]*).*" "\\1" demangled "${demangled}")
    signature_key("${demangled}" key)
    if(DEFINED msvc_${key})
      message(FATAL_ERROR "host_library_def: ${name} and ${msvc_${key}} are both ${key}")
    endif()
    set(msvc_${key} "${name}")
  else()
    list(APPEND plain_exports "${name}")
  endif()
endforeach()

# What GCC names the same definitions.
run(symbols ${NM} -g --defined-only ${GCC_OBJECTS})
string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\n]+" symbol_lines "${symbols}")
set(gcc_names "")
foreach(line IN LISTS symbol_lines)
  string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" name "${line}")
  list(APPEND gcc_names "${name}")
endforeach()
list(REMOVE_DUPLICATES gcc_names)
if(NOT gcc_names)
  message(FATAL_ERROR "host_library_def: no functions defined in ${GCC_OBJECTS}")
endif()
string(REPLACE ";" "\n" names_text "${gcc_names}")
get_filename_component(work "${OUTPUT}" DIRECTORY)
file(WRITE "${work}/gcc_names.txt" "${names_text}\n")
execute_process(COMMAND ${CXXFILT} INPUT_FILE "${work}/gcc_names.txt" OUTPUT_VARIABLE demangled_text
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "host_library_def: ${CXXFILT} failed (${rc})")
endif()
string(REGEX REPLACE "\n$" "" demangled_text "${demangled_text}")
string(REPLACE ";" "\\;" demangled_text "${demangled_text}")
string(REPLACE "\n" ";" demangled_names "${demangled_text}")

set(lines "")
set(failures "")
foreach(name demangled IN ZIP_LISTS gcc_names demangled_names)
  if(name MATCHES "^_Z")
    signature_key("${demangled}" key)
    if(DEFINED msvc_${key})
      list(APPEND lines "  ${name} == ${msvc_${key}}")
    else()
      list(APPEND failures "${demangled} (${name}): ${DLL} exports no ${key}")
    endif()
  elseif(name IN_LIST plain_exports)
    list(APPEND lines "  ${name}")
  else()
    list(APPEND failures "${name}: not exported by ${DLL}")
  endif()
endforeach()
if(failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "host_library_def: no match in Microsoft's ABI for\n  ${text}")
endif()

string(REPLACE ";" "\n" text "${lines}")
file(WRITE "${OUTPUT}" "LIBRARY \"QNZUDevice.dll\"\nEXPORTS\n${text}\n")
list(LENGTH lines count)
message(STATUS "${OUTPUT}: ${count} names")
