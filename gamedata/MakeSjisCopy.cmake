# Writes the Shift-JIS copy of a UTF-8 sample source (cmake -P), with the
# comment that tells the reader how to edit it changed to suit the copy: the
# source says to edit it and let the build write the copy, the copy beside
# the programs says to edit it and convert it there. The source must hold its
# line, so that no copy keeps the wrong one.
#   -DSOURCE=<UTF-8 .ini> -DOUTPUT=<Shift-JIS .ini> -DSTEM=<file stem> -DICONV=<iconv>
cmake_minimum_required(VERSION 3.25)

get_filename_component(source_name ${SOURCE} NAME)
set(source_line "; Edit this UTF-8 file; the build writes the Shift-JIS copy and ${STEM}.dat beside the programs.")
set(copy_line "; This Shift-JIS file is the source of ${STEM}.dat: edit it, then convert it from the window's menu or with velkar-tool convert.")

file(READ ${SOURCE} text)
string(FIND "${text}" "\n${source_line}\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${source_name} lacks its second line: ${source_line}")
endif()
string(REPLACE "\n${source_line}\n" "\n${copy_line}\n" text "${text}")
file(WRITE ${OUTPUT}.utf8 "${text}")
# iconv fails on any character that code page 932 cannot hold; writing to a
# temporary name first keeps a half-converted file from looking up to date.
execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 -o ${OUTPUT}.tmp ${OUTPUT}.utf8
  RESULT_VARIABLE failed)
file(REMOVE ${OUTPUT}.utf8)
if(failed)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "${source_name} holds a character that Shift-JIS cannot encode")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
