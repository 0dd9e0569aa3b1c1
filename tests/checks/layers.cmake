# Checks the program's sources against two rules of its layout. Run as
#   cmake -DSOURCE_DIR=<src> -P layers.cmake
#
# 1. Includes go downward only. A core file includes only core files of its own subsystem
#    or of those below it; a gui file includes gui files of its own subsystem or below, and
#    core files of any subsystem at or below it in either order:
#      core: base, settings, panel, gaugefiles, drawing, gaugedialogs, panelwindows, palette,
#            outview, template, state, app
#      gui:  base, settings, state, panel, gaugefiles, drawing, panelwindows, gaugedialogs,
#            palette, outview, template, app
#    (settings and state have no gui files: state, the program's state that windows share,
#    stands above every core file and below every gui file).
#    A format's folder (fs98/, fs2k/) belongs to its subsystem's layer.
# 2. The panel changes only through the panel document: outside src/panel/ no source holds
#    a non-const reference or pointer to a Panel, a PanelWindow or a Gauge, and none uses
#    const_cast.

set(core_order base settings panel gaugefiles drawing gaugedialogs panelwindows palette outview
  template state app)
set(gui_order base settings state panel gaugefiles drawing panelwindows gaugedialogs palette
  outview template app)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
set(problems "")

foreach(file ${sources})
  string(REGEX MATCH "^([a-z]+)/(core|gui)/" where "${file}")
  if(where)
    set(subsystem ${CMAKE_MATCH_1})
    set(layer ${CMAKE_MATCH_2})
  elseif(file MATCHES "^([a-z]+)/[^/]+$")
    set(subsystem ${CMAKE_MATCH_1}) # main.cpp beside the layers: the top of its subsystem
    set(layer gui)
  else()
    list(APPEND problems "${file}: not in <subsystem>/core or <subsystem>/gui")
    continue()
  endif()
  list(FIND core_order ${subsystem} own_core)
  list(FIND gui_order ${subsystem} own_gui)
  if(own_core LESS 0)
    list(APPEND problems "${file}: unknown subsystem '${subsystem}'")
    continue()
  endif()

  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX MATCH "^#include \"([a-z]+)/(core|gui)/" target "${line}")
    if(NOT target)
      continue()
    endif()
    set(other ${CMAKE_MATCH_1})
    set(other_layer ${CMAKE_MATCH_2})
    list(FIND core_order ${other} other_core)
    list(FIND gui_order ${other} other_gui)
    set(allowed FALSE)
    if(layer STREQUAL "core")
      if(other_layer STREQUAL "core" AND other_core GREATER -1 AND other_core LESS_EQUAL own_core)
        set(allowed TRUE)
      endif()
    elseif(other_layer STREQUAL "gui")
      if(other_gui GREATER -1 AND other_gui LESS_EQUAL own_gui)
        set(allowed TRUE)
      endif()
    elseif(other_core GREATER -1 AND (other_core LESS_EQUAL own_core OR other_gui LESS_EQUAL own_gui))
      set(allowed TRUE)
    endif()
    if(NOT allowed)
      list(APPEND problems "${file}: ${line} goes against the layers")
    endif()
  endforeach()

  if(NOT file MATCHES "^panel/")
    file(READ ${SOURCE_DIR}/${file} text)
    if(text MATCHES "const_cast")
      list(APPEND problems "${file}: const_cast")
    endif()
    # FS98's model, named fs98::Panel outside its folder (an fs2k Panel is read from the
    # lines, never the document's own).
    string(REGEX MATCHALL "(^|[^A-Za-z0-9_:])(const[ \t]+)?(fs98::)?(Panel|PanelWindow|Gauge)[ \t]*[&*]"
           references "${text}")
    foreach(reference ${references})
      if(file MATCHES "/fs2k/" AND NOT reference MATCHES "fs98::")
        continue()
      endif()
      if(NOT reference MATCHES "const")
        string(STRIP "${reference}" shown)
        list(APPEND problems "${file}: '${shown}' can change the panel outside its document")
      endif()
    endforeach()
  endif()
endforeach()

list(LENGTH sources checked)
if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Layer check failed:\n  ${text}")
endif()
message(STATUS "${checked} sources follow the layers and leave the panel to its document")
