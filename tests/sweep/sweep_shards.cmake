# The session sweep as four tests, each a quarter of the calls, so that ctest
# spreads it over the cores. The plain build sweeps every call; under the
# sanitizers, where a run costs about fifteen times as much, every 50th call and
# each operation's first call in each phase (.ci/sweep-full sweeps every call
# there too).
set(QNZU_SWEEP_SHARDS 4)
if(QNZU_SANITIZE)
  set(QNZU_SWEEP_STRIDE 50)
else()
  set(QNZU_SWEEP_STRIDE 1)
endif()
foreach(shard RANGE 1 ${QNZU_SWEEP_SHARDS})
  set(name sweep.shard_${shard}_of_${QNZU_SWEEP_SHARDS})
  add_test(NAME ${name} COMMAND test_sweep)
  # COST: ctest starts the shards first (a fresh build has no recorded times),
  # so the other tests run beside them instead of after.
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 COST 1000 ENVIRONMENT
    "QNZU_SWEEP_SHARD=${shard}/${QNZU_SWEEP_SHARDS};QNZU_SWEEP_STRIDE=${QNZU_SWEEP_STRIDE}")
endforeach()
