# Writes the manual page of fonderel-cli from its own --help texts, so the
# page always says what the program says: the main help, then one section per
# subcommand with that subcommand's help.
#   cmake -DCLI=path/to/fonderel-cli -DVERSION=x.y.z -DOUT=fonderel-cli.1 -P CliManPage.cmake

function(help_of out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed: ${rc}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Help text as roff shown verbatim: backslashes escaped, minus signs kept
# ASCII, lines that start with a control character guarded.
function(verbatim out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

help_of(main)
string(REGEX MATCH "^[^\n]*" summary "${main}")
string(REGEX REPLACE "\\.$" "" summary "${summary}")
string(REPLACE "-" "\\-" summary "${summary}")
verbatim(main_roff "${main}")

# The subcommands are the lines of the "Subcommands:" block.
set(subcommands "")
string(FIND "${main}" "\nSubcommands:\n" at)
if(at GREATER -1)
  string(SUBSTRING "${main}" ${at} -1 block)
  string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" names "${block}")
  foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    list(APPEND subcommands ${name})
  endforeach()
endif()

set(page ".TH FONDEREL\\-CLI 1 \"December 2026\" \"Fonderel ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\nfonderel\\-cli \\- ${summary}\n")
string(APPEND page ".SH SYNOPSIS\n.B fonderel\\-cli\n.I subcommand\n.RI [ options ]\n")
string(APPEND page ".SH DESCRIPTION\n${main_roff}")
foreach(sub IN LISTS subcommands)
  help_of(text ${sub})
  verbatim(roff "${text}")
  string(REPLACE "-" "\\-" title "${sub}")
  string(APPEND page ".SS ${title}\n${roff}")
endforeach()
string(APPEND page ".SH EXIT STATUS\n0 on success, 1 when a file cannot be read or written, 2 on a usage error.\n")
string(APPEND page ".SH SEE ALSO\n.BR fonderel (1)\n")
file(WRITE "${OUT}" "${page}")
