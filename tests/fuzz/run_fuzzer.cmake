# Runs one fuzz target for SECONDS on a fresh copy of its seeds in WORK.
# Crash inputs land in WORK too. Fails when the target finds anything.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
file(GLOB seeds "${SEEDS}/*")
if(seeds)
  file(COPY ${seeds} DESTINATION "${WORK}/corpus")
endif()
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -print_final_stats=1 -max_len=16384
          -timeout=20 -rss_limit_mb=2048 "-artifact_prefix=${WORK}/" "${WORK}/corpus"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzz target ${FUZZER} failed (${result}); inputs in ${WORK}")
endif()
