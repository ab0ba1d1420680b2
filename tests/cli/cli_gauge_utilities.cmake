set(work ${CMAKE_CURRENT_BINARY_DIR}/cli_gauge_work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/log ${work}/pc)
# Wine keeps its prefix in the real home, not in the test's, and the settings of each user
# under the user's name: this test has a user of its own.
if(EMULATOR AND NOT DEFINED ENV{WINEPREFIX})
  set(ENV{WINEPREFIX} "$ENV{HOME}/.wine")
endif()
set(ENV{USER} korvel-cli-gauge)
set(ENV{HOME} ${work}/home)
set(ENV{XDG_CONFIG_HOME} "")
set(ENV{XDG_DOCUMENTS_DIR} "")
file(COPY ${SOURCE}/resources/samples/PIPE-A.CSV DESTINATION ${work}/log)
file(COPY ${SOURCE}/resources/firmware/quenboot.bin DESTINATION ${work})
set(firmware ${SOURCE}/resources/firmware/KQ77-demo-firmware.bin)

function(run_cli expected_status out_var err_var)
  execute_process(COMMAND ${EMULATOR} ${CLI} --simulated-gauge log ${ARGN} WORKING_DIRECTORY ${work}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "korvel-cli ${ARGN}: exit ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

function(expect_text text part)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing '${part}' in:\n${text}")
  endif()
endfunction()

# Velocities: the gauge answers in the unit asked for.
run_cli(0 out err gauge velocity set 0.2500 in/us 5918 m/s)
run_cli(0 out err gauge velocity get in/us m/s)
expect_text("${out}" "velocity1 0.2500 in/us\nvelocity2 5918 m/s\n")
# A value the User Velocity page refuses is refused here too, before anything is sent; exit 1.
run_cli(1 out err gauge velocity set fast in/us 5918 m/s)
expect_text("${err}" "warning: Nothing was sent to the Gage: Velocity1 must be a number from 0.0394 to 0.3937 in/us, not \"fast\".\n")
run_cli(1 out err gauge velocity set 0.3000 in/us 999 m/s)
expect_text("${err}" "Velocity2 must be a number from 1000 to 9999 m/s, not \"999\".\n")
run_cli(0 out err gauge velocity get in/us m/s)
expect_text("${out}" "velocity1 0.2500 in/us\n")

# A read of several files of which one fails saves the others and exits 1.
file(WRITE ${work}/log/BAD.CSV "no header line\n")
file(COPY ${SOURCE}/resources/samples/OLDPIPE.CSV DESTINATION ${work}/log)
run_cli(1 out err --folder pc gauge read PIPE-A.CSV BAD.CSV OLDPIPE.CSV)
expect_text("${err}" "error: What the Gage sent for BAD.CSV is not a data file")
foreach(name PIPE-A.CSV OLDPIPE.CSV)
  file(SHA256 ${SOURCE}/resources/samples/${name} a)
  file(SHA256 ${work}/pc/${name} b)
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "${name} was not saved as the gauge holds it")
  endif()
endforeach()
if(EXISTS ${work}/pc/BAD.CSV)
  message(FATAL_ERROR "BAD.CSV was saved")
endif()
file(REMOVE ${work}/log/BAD.CSV ${work}/log/OLDPIPE.CSV)

# The terminal's raw exchange: the listing line of the one file, then the end marker.
run_cli(0 out err gauge send "dir /dev/datalog")
expect_text("${out}" "PIPE-A.CSV,CSV,")

# The gauge in its normal identity cannot be upgraded: it must be switched over, exit 1.
run_cli(1 out err gauge upgrade ${firmware})
expect_text("${err}" "error: The KQ-77 is connected in its normal mode and must be switched")

# In its upgrade mode: the whole sequence, and the gauge holds both images byte for byte.
run_cli(0 out err --boot-mode gauge upgrade ${firmware})
expect_text("${err}" "status: Bootloader loaded\n")
expect_text("${err}" "status: Software upgrade complete\n")
foreach(pair "quenboot.bin;${work}/quenboot.bin;bootloader.bin" "firmware;${firmware};firmware.bin")
  list(GET pair 1 sent)
  list(GET pair 2 kept)
  file(SHA256 ${sent} a)
  file(SHA256 ${work}/log/.gauge/${kept} b)
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "the gauge's ${kept} differs from ${sent}")
  endif()
endforeach()

# The images stay out of the data log's listing.
run_cli(0 out err gauge dir)
string(FIND "${out}" ".bin" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the listing shows the upgrade images:\n${out}")
endif()
