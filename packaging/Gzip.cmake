# Compresses IN into OUT as Debian wants manual pages and changelogs: best
# compression, no name or time stamp inside.
#   cmake -DIN=file -DOUT=file.gz -P Gzip.cmake
execute_process(COMMAND gzip -9nc "${IN}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip ${IN} failed: ${rc}")
endif()
