cmake_minimum_required(VERSION 3.20)
# Every fault of --gauge-fault on every gauge command: a failure with a message and exit 1, or
# the documented success (docs/gauge-faults.md); the PC's file survives every failed read.
set(work ${CMAKE_CURRENT_BINARY_DIR}/cli_gauge_faults_work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/log ${work}/pc)
if(EMULATOR AND NOT DEFINED ENV{WINEPREFIX})
  set(ENV{WINEPREFIX} "$ENV{HOME}/.wine")
endif()
set(ENV{USER} korvel-cli-faults)
set(ENV{HOME} ${work}/home)
set(ENV{XDG_CONFIG_HOME} "")
set(ENV{XDG_DOCUMENTS_DIR} "")
set(sample ${SOURCE}/resources/samples/PIPE-A.CSV)
file(COPY ${SOURCE}/resources/firmware/quenboot.bin DESTINATION ${work})
set(firmware ${SOURCE}/resources/firmware/KQ77-demo-firmware.bin)

# FAULT|COMMAND|EXIT|TEXT in stderr ("" for none)
set(cases
  "silent|dir|1|error: The Gage did not answer \"dir /dev/datalog\""
  "silent|read PIPE-A.CSV|1|error: The Gage did not answer \"read /dev/datalog/PIPE-A\""
  "silent|velocity get|1|error: The Gage did not answer \"get user velocity1 in/us\""
  "silent|velocity set 0.2 in/us 5000 m/s|1|error: The Gage did not answer \"set user velocity1"
  "silent|send dir /dev/datalog|1|error: The Gage did not answer \"dir /dev/datalog\""
  "silent|write PIPE-A.CSV|1|error: "
  "error:ERROR busy|dir|1|error: The Gage refused the command \"dir /dev/datalog\". Its answer:\n\nERROR busy"
  "error:ERROR busy|read PIPE-A.CSV|1|Its answer:\n\nERROR busy"
  "error:ERROR busy|velocity get|1|refused the command \"get user velocity1 in/us\". Its answer:\n\nERROR busy"
  "error:ERROR busy|velocity set 0.2 in/us 5000 m/s|1|warning: ERROR busy"
  "error:ERROR busy|send dir /dev/datalog|1|error: The Gage refused the command \"dir /dev/datalog\""
  "error:ERROR busy|write PIPE-A.CSV|1|ERROR busy"
  "garbage|dir|1|stopped before the end of a listing"
  "garbage|read PIPE-A.CSV|1|is not a data file"
  "garbage|velocity get|1|is not a velocity and a unit"
  "garbage|velocity set 0.2 in/us 5000 m/s|0|"
  "garbage|send dir /dev/datalog|0|"
  "endless|dir|1|went on past 16 MB without ending"
  "endless|read PIPE-A.CSV|1|went on past 16 MB without ending"
  "endless|velocity get|1|went on past 16 MB without ending"
  "endless|velocity set 0.2 in/us 5000 m/s|1|went on past 16 MB without ending"
  "endless|send dir /dev/datalog|1|went on past 16 MB without ending"
  "drop:1|dir|1|The connection to the Gage was lost during \"dir /dev/datalog\""
  "drop:1|read PIPE-A.CSV|1|The connection to the Gage was lost while reading PIPE-A.CSV"
  "drop:1|velocity get|1|The connection to the Gage was lost during \"get user velocity1"
  "drop:1|send dir /dev/datalog|1|The connection to the Gage was lost during"
  "stall|dir|1|error: Error sending command or line to Gage"
  "stall|read PIPE-A.CSV|1|error: Error sending command or line to Gage"
  "stall|velocity get|1|error: Error in writing command to USB device"
  "stall|velocity set 0.2 in/us 5000 m/s|1|error: Error in writing command to USB device"
  "stall|send dir /dev/datalog|1|error: Error in writing command to USB device"
  "stall|write PIPE-A.CSV|1|error: Error sending command or line to Gage"
  "fail-writes:2|dir|1|error: Error sending command or line to Gage"
  "fail-writes:2|read PIPE-A.CSV|1|error: Error sending command or line to Gage"
  "fail-writes:1|velocity get|0|"
  "fail-writes:1|send dir /dev/datalog|1|error: Error in writing command to USB device"
  "garbage|write PIPE-A.CSV|1|stopped before the end of a listing"
  "endless|write PIPE-A.CSV|1|went on past 16 MB without ending"
  "drop:1|write PIPE-A.CSV|1|The connection to the Gage was lost during \"dir /dev/datalog\""
  "fail-writes:2|write PIPE-A.CSV|1|error: Error sending command or line to Gage"
  "drop:1|velocity set 0.2 in/us 5000 m/s|1|The connection to the Gage was lost during \"set user velocity1"
  "fail-writes:1|velocity set 0.2 in/us 5000 m/s|0|"
  "silent|--boot-mode upgrade FIRMWARE|1|error: Error reading response for INIT"
  "error:ERROR flash|--boot-mode upgrade FIRMWARE|1|Failure received from Gage for command - init\n\nERROR flash"
  "garbage|--boot-mode upgrade FIRMWARE|1|error: Failure in downloading file"
  "endless|--boot-mode upgrade FIRMWARE|1|error: Failure in downloading file"
  "stall|--boot-mode upgrade FIRMWARE|1|error: Bootloader download failed"
  "drop:1|--boot-mode upgrade FIRMWARE|1|error: Error reading response for INIT"
  "fail-writes:1|--boot-mode upgrade FIRMWARE|1|error: Bootloader download failed"
  "no-term|--boot-mode upgrade FIRMWARE|1|error: The Gage did not confirm the end of the upgrade"
  "term:garbled|--boot-mode upgrade FIRMWARE|1|with the new software, upgrade it again.\n\ngarbled"
  "chunk-fails:2|--boot-mode upgrade FIRMWARE|1|buff = "
)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 fault)
  list(GET fields 1 command)
  list(GET fields 2 expected)
  list(LENGTH fields count)
  set(text "")
  if(count GREATER 3)
    list(GET fields 3 text)
  endif()
  string(REPLACE "\\n" "\n" text "${text}")
  string(REPLACE "FIRMWARE" "${firmware}" command "${command}")
  separate_arguments(words UNIX_COMMAND "${command}")
  set(mode "")
  if(words MATCHES "^--boot-mode")
    list(POP_FRONT words mode)
  endif()
  file(COPY ${sample} DESTINATION ${work}/log)
  file(COPY ${sample} DESTINATION ${work}/pc)
  execute_process(COMMAND ${EMULATOR} ${CLI} --yes --folder pc --simulated-gauge log ${mode}
                          --gauge-fault ${fault} gauge ${words}
                  WORKING_DIRECTORY ${work} RESULT_VARIABLE status ERROR_VARIABLE err
                  OUTPUT_QUIET TIMEOUT 60)
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT status EQUAL expected)
    message(FATAL_ERROR "--gauge-fault ${fault} gauge ${command}: exit ${status}, expected ${expected}\n${err}")
  endif()
  string(FIND "${err}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "--gauge-fault ${fault} gauge ${command}: missing '${text}' in:\n${err}")
  endif()
  file(SHA256 ${sample} a)
  file(SHA256 ${work}/pc/PIPE-A.CSV b)
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "--gauge-fault ${fault} gauge ${command}: the PC's file changed")
  endif()
endforeach()

# A name that names no fault is a usage error.
foreach(fault "loud" "drop:x" "no-term")
  execute_process(COMMAND ${EMULATOR} ${CLI} --simulated-gauge log --gauge-fault ${fault} gauge dir
                  WORKING_DIRECTORY ${work} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT status EQUAL 2)
    message(FATAL_ERROR "--gauge-fault ${fault}: exit ${status}, expected 2")
  endif()
endforeach()
