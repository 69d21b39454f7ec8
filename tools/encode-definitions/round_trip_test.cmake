# Runs the encoder on a sample, checks the stored bytes, decodes them back and checks refusals.
# Called by CTest with -DTOOL=<encoder> -DWORK_DIR=<scratch folder>.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(run_tool)
  execute_process(COMMAND "${TOOL}" ${ARGN} WORKING_DIRECTORY "${WORK_DIR}"
                  RESULT_VARIABLE rc ERROR_VARIABLE errors)
  set(rc "${rc}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

set(plain "A=B\nnotepad2.exe=Bad Thing|[windir]system32\n2^Software\\Café^Run=Threat|desc\n")
file(WRITE "${WORK_DIR}/plain.txt" "${plain}")

run_tool(plain.txt stored.dat)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "encoding failed: ${rc} ${errors}")
endif()
file(READ "${WORK_DIR}/stored.dat" stored HEX)
string(SUBSTRING "${stored}" 0 10 first_line)
if(NOT first_line STREQUAL "817d820d0a")
  message(FATAL_ERROR "\"A=B\" was stored as ${first_line}, not 81 7D 82 CR LF")
endif()
string(LENGTH "${stored}" stored_length)
math(EXPR tail_start "${stored_length} - 4")
string(SUBSTRING "${stored}" ${tail_start} 4 tail)
if(NOT tail STREQUAL "0d0a")
  message(FATAL_ERROR "the last line does not end in CR LF")
endif()

execute_process(COMMAND "${TOOL}" INPUT_FILE "${WORK_DIR}/plain.txt"
                OUTPUT_FILE "${WORK_DIR}/piped.dat" RESULT_VARIABLE rc)
file(READ "${WORK_DIR}/piped.dat" piped HEX)
if(NOT rc EQUAL 0 OR NOT piped STREQUAL stored)
  message(FATAL_ERROR "encoding through a pipe failed or gave other bytes: ${rc}")
endif()

run_tool(--decode stored.dat decoded.txt)
file(READ "${WORK_DIR}/decoded.txt" decoded)
if(NOT rc EQUAL 0 OR NOT decoded STREQUAL plain)
  message(FATAL_ERROR "the round trip failed (${rc} ${errors}) or changed the text: ${decoded}")
endif()

# A character whose code the shift turns into a line break, and one outside the code page.
file(WRITE "${WORK_DIR}/bad.txt" "ok\nÉcole\n中\n")
run_tool(bad.txt bad.dat)
if(rc EQUAL 0 OR EXISTS "${WORK_DIR}/bad.dat")
  message(FATAL_ERROR "a line that cannot be stored was accepted or still written")
endif()
string(FIND "${errors}" "line 2" line2)
string(FIND "${errors}" "line 3" line3)
if(line2 EQUAL -1 OR line3 EQUAL -1)
  message(FATAL_ERROR "the refusal does not name lines 2 and 3: ${errors}")
endif()
