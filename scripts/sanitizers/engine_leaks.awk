# Judges the LeakSanitizer reports in a CTest log (LastTest.log): a leak is Qt WebEngine's own
# when the code that made its allocation lies in the engine's library, that is when the first
# frame of its allocation stack outside the C and C++ runtimes and Qt's core libraries lies in
# libQt6WebEngineCore.so. The engine keeps singletons (profiles, threads, device monitors) to the
# end of the process, and such leaks are passed over. Every other leak is printed, with the test
# that showed it, and the script exits with 1; a leak that the project's code allocated inside
# one of the engine's callbacks (its page signals, script answers, new-window or download
# requests) is caught that way, whatever engine frames lie below it.
#
# The frames end in the module's path in braces, as the stack_trace_format that sanitize.sh sets
# prints them: "    #3 0x7f... in Function file.cpp:12 {/path/to/module}".
function module_of(line) {
  if (match(line, /\{[^{}]*\}$/)) {
    return substr(line, RSTART + 1, RLENGTH - 2)
  }
  return ""
}

# The runtimes and Qt's core libraries, which allocate on behalf of whoever calls them.
function is_runtime(module) {
  return module ~ /\/lib(asan|ubsan|lsan|c|m|stdc\+\+|gcc_s|glib-2\.0|Qt6Core|Qt6Gui)\.so[.0-9]*$/
}

function judge() {
  if (block == "") {
    return
  }
  if (decided == "engine") {
    engine++
  } else {
    others++
    printf "%s: a leak that is not Qt WebEngine's own:\n%s\n", test, block
  }
  block = ""
}

/^[0-9]+\/[0-9]+ Testing: / {
  judge()
  test = substr($0, index($0, "Testing: ") + 9)
  next
}

/^(Direct|Indirect) leak of / {
  judge()
  block = $0
  decided = ""
  next
}

block != "" && /^ *#[0-9]+ / {
  block = block "\n" $0
  if (decided == "") {
    module = module_of($0)
    if (module ~ /\/libQt6WebEngineCore\.so[.0-9]*$/) {
      decided = "engine"
    } else if (!is_runtime(module)) {
      decided = "other"
    }
  }
  next
}

block != "" {
  judge()
}

END {
  judge()
  printf "engine_leaks.awk: %d leak(s) of Qt WebEngine's own passed over, %d other leak(s)\n", engine, others
  exit others > 0 ? 1 : 0
}
