# Runs the include-rule check on small planted trees: each case adds one file with one
# include line and says whether the check must pass or fail.
#   cmake -DCHECKER=<check_includes.cmake> -DWORK_DIR=<scratch folder> -P this file
cmake_minimum_required(VERSION 3.25)

# file | included | expected | DEPENDS of feat
set(cases
  "feat/m2.h|core/a.h|pass|"
  "feat/m2.h|feat/m.h|pass|"
  "feat/m2.h|ui/b.h|fail|"
  "feat/m2.h|app/application.h|fail|"
  "feat/m2.h|feat/w.h|fail|"
  "feat/m2.h|other/v.h|fail|other"
  "feat/m2.h|other/n.h|fail|"
  "feat/m2.h|other/n.h|pass|other"
  "feat/w2.h|other/v.h|pass|"
  "feat/w2.h|ui/qt/c.h|fail|"
  "feat/w2.h|<QWidget>|fail|"
  "feat/m2.h|<QtCore/qglobal.h>|fail|"
  "app/x.cpp|<QString>|fail|"
  "app/desktop_session.cpp|<QApplication>|pass|"
  "app/desktop_session.cpp|ui/qt/c.h|pass|"
  "core/x.h|ui/b.h|fail|"
  "core/x.h|<vector>|pass|"
  "ui/x.h|core/a.h|pass|"
  "ui/x.h|app/application.h|fail|"
  "ui/x.h|feat/m.h|fail|"
  "ui/qt/x.cpp|<QPainter>|pass|"
  "ui/qt/x.cpp|app/application.h|fail|"
  "ui/qt/x.cpp|feat/m.h|fail|"
  "feat/unlisted.h|core/a.h|fail|"
)

set(failures 0)
set(index 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 planted)
  list(GET fields 1 included)
  list(GET fields 2 expected)
  list(LENGTH fields n)
  set(depends "")
  if(n GREATER 3)
    list(GET fields 3 depends)
  endif()

  math(EXPR index "${index} + 1")
  set(tree ${WORK_DIR}/case${index})
  file(REMOVE_RECURSE ${tree})
  foreach(base core/a.h ui/b.h ui/qt/c.h app/application.h feat/m.h feat/m2.h feat/w.h feat/w2.h
               other/n.h other/v.h)
    file(WRITE ${tree}/${base} "#pragma once\n")
  endforeach()
  if(included MATCHES "^<")
    file(WRITE ${tree}/${planted} "#include ${included}\n")
  else()
    file(WRITE ${tree}/${planted} "#include \"${included}\"\n")
  endif()
  file(WRITE ${tree}/manifest.cmake
    "set(LAYERING_FOLDERS \"feat;other\")\n"
    "set(LAYERING_feat_MODEL \"m.h;m2.h\")\n"
    "set(LAYERING_feat_WINDOW \"w.h;w2.h\")\n"
    "set(LAYERING_feat_DEPENDS \"${depends}\")\n"
    "set(LAYERING_other_MODEL \"n.h\")\n"
    "set(LAYERING_other_WINDOW \"v.h\")\n"
    "set(LAYERING_other_DEPENDS \"\")\n")

  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -DMANIFEST=${tree}/manifest.cmake -P ${CHECKER}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(status EQUAL 0)
    set(got pass)
  else()
    set(got fail)
  endif()
  # A failure must name the planted file, so the message leads the developer to it.
  if(got STREQUAL "fail" AND NOT output MATCHES "${planted}")
    set(got "fail without naming ${planted}")
  endif()
  if(NOT got STREQUAL expected)
    message("case ${index}: ${planted} including ${included} (DEPENDS '${depends}'): "
            "expected ${expected}, got ${got}\n${output}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) of the include-rule check went wrong")
endif()
message("include-rule check: ${index} planted cases judged as expected")
