# mavrolin_feature(MODEL files... WINDOW files... [DEPENDS folders...])
#
# Called from a feature folder's CMakeLists.txt. MODEL files (readers, computations,
# writers) build into the library mavrolin_<folder>, which links mavrolin_core and the
# model libraries of the folders named after DEPENDS. WINDOW files (forms, handlers, scan
# phases that fill grids, batch commands) join the application library. Every .cpp and .h
# of the folder must be in one of the two lists, so a new file cannot be forgotten, and
# the lists are recorded for the include-rule check.
function(mavrolin_feature)
  cmake_parse_arguments(PARSE_ARGV 0 F "" "" "MODEL;WINDOW;DEPENDS")
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(lib mavrolin_${folder})

  file(GLOB present RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(listed ${F_MODEL} ${F_WINDOW})
  foreach(file IN LISTS present)
    if(NOT file IN_LIST listed)
      message(FATAL_ERROR "${folder}/${file} is in neither the MODEL nor the WINDOW list of "
                          "${folder}/CMakeLists.txt: add it to the list of its role.")
    endif()
  endforeach()
  foreach(file IN LISTS listed)
    if(NOT file IN_LIST present)
      message(FATAL_ERROR "${folder}/CMakeLists.txt lists ${file}, which does not exist.")
    endif()
  endforeach()
  foreach(file IN LISTS F_MODEL)
    if(file IN_LIST F_WINDOW)
      message(FATAL_ERROR "${folder}/${file} is listed both as MODEL and as WINDOW.")
    endif()
  endforeach()

  list(TRANSFORM F_MODEL PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE model_paths)
  list(TRANSFORM F_WINDOW PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE window_paths)
  set(model_sources ${F_MODEL})
  list(FILTER model_sources INCLUDE REGEX "\\.cpp$")
  if(model_sources)
    add_library(${lib} STATIC ${model_paths})
    target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${lib} PUBLIC mavrolin_core)
    mavrolin_warnings(${lib})
    set(scope PUBLIC)
  else()
    add_library(${lib} INTERFACE ${model_paths})
    target_include_directories(${lib} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${lib} INTERFACE mavrolin_core)
    set(scope INTERFACE)
  endif()
  foreach(dep IN LISTS F_DEPENDS)
    target_link_libraries(${lib} ${scope} mavrolin_${dep})
  endforeach()

  set_property(GLOBAL APPEND PROPERTY MAVROLIN_WINDOW_SOURCES ${window_paths})
  set_property(GLOBAL APPEND PROPERTY MAVROLIN_LAYERING_FOLDERS ${folder})
  set_property(GLOBAL PROPERTY MAVROLIN_${folder}_MODEL ${F_MODEL})
  set_property(GLOBAL PROPERTY MAVROLIN_${folder}_WINDOW ${F_WINDOW})
  set_property(GLOBAL PROPERTY MAVROLIN_${folder}_DEPENDS ${F_DEPENDS})
endfunction()

# Writes what the feature folders declared, for cmake/check_includes.cmake.
function(mavrolin_write_layering_manifest path)
  get_property(folders GLOBAL PROPERTY MAVROLIN_LAYERING_FOLDERS)
  set(text "# Written by CMake at configure time: the role of every feature file.\n")
  string(APPEND text "set(LAYERING_FOLDERS \"${folders}\")\n")
  foreach(folder IN LISTS folders)
    foreach(kind MODEL WINDOW DEPENDS)
      get_property(items GLOBAL PROPERTY MAVROLIN_${folder}_${kind})
      string(APPEND text "set(LAYERING_${folder}_${kind} \"${items}\")\n")
    endforeach()
  endforeach()
  file(WRITE ${path} "${text}")
endfunction()
