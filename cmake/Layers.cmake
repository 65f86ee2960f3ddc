# The layers of src/, each its own library linked only to the layers below it:
#
#   app core <- platform <- config <- render, system <- ui <- dock <- shell
#
# Each library compiles against an include folder of its own in the build
# tree that shows only the folders of src/ it may use, so including a higher
# layer fails to compile instead of slipping through. A layer's sources are
# its .cpp files at any depth; win32/ folders join the Windows build only,
# headless/ folders the Linux build only.

set(ORVANE_LAYER_INCLUDE_ROOT "${CMAKE_BINARY_DIR}/layer-include")

# Every source some target of this build compiles, for the check at the end.
set_property(GLOBAL PROPERTY ORVANE_ASSIGNED_SOURCES "")

function(orvane_assign_sources)
  set_property(GLOBAL APPEND PROPERTY ORVANE_ASSIGNED_SOURCES ${ARGN})
endfunction()

# True when a path (relative to the repository) belongs to the other build.
function(orvane_is_other_platform out path)
  if(WIN32)
    string(REGEX MATCH "(^|/)headless/" hit "${path}")
  else()
    string(REGEX MATCH "(^|/)win32/" hit "${path}")
  endif()
  if(hit)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# orvane_folder_sources(<out> <folder> [PORTABLE] [EXCLUDE <files>...]): the
# .cpp files under <folder> (relative to the repository) that this build
# compiles; with PORTABLE, none from win32/ or headless/ folders.
function(orvane_folder_sources out folder)
  cmake_parse_arguments(ARG "PORTABLE" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${folder}/*.cpp")
  list(SORT found)
  set(kept "")
  foreach(file IN LISTS found)
    file(RELATIVE_PATH relative "${CMAKE_SOURCE_DIR}" "${file}")
    orvane_is_other_platform(other "${relative}")
    if(ARG_PORTABLE AND relative MATCHES "(^|/)(win32|headless)/")
      set(other TRUE)
    endif()
    if(other OR relative IN_LIST ARG_EXCLUDE)
      continue()
    endif()
    list(APPEND kept "${file}")
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# orvane_include_root(<out> <name> <folders of src>...): a folder of links to
# the named folders of src/ (made whether or not they exist yet).
function(orvane_include_root out name)
  set(root "${ORVANE_LAYER_INCLUDE_ROOT}/${name}")
  file(REMOVE_RECURSE "${root}")
  file(MAKE_DIRECTORY "${root}")
  foreach(folder IN LISTS ARGN)
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${folder}" "${root}/${folder}" SYMBOLIC)
  endforeach()
  set(${out} "${root}" PARENT_SCOPE)
endfunction()

# orvane_add_layer(<name> SEES <folders>... [DEPENDS <layers>...] [EXCLUDE <files>...])
# Library orvane_<name> from src/<name>. A layer without sources yet is an
# interface library that only passes its dependencies on.
function(orvane_add_layer name)
  cmake_parse_arguments(ARG "" "" "SEES;DEPENDS;EXCLUDE" ${ARGN})
  orvane_folder_sources(sources "src/${name}" EXCLUDE ${ARG_EXCLUDE})
  set(target "orvane_${name}")
  set(depends "")
  foreach(layer IN LISTS ARG_DEPENDS)
    list(APPEND depends "orvane_${layer}")
  endforeach()
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${depends})
    return()
  endif()
  orvane_include_root(root "${name}" ${ARG_SEES})
  add_library(${target} STATIC ${sources})
  orvane_assign_sources(${sources})
  target_include_directories(${target} PRIVATE "${root}")
  target_include_directories(${target} SYSTEM PUBLIC "${ORVANE_HEADER_ONLY_DIR}")
  target_link_libraries(${target} PUBLIC ${depends})
  if(WIN32)
    target_compile_definitions(${target} PRIVATE ${ORVANE_WIN32_DEFINES})
  endif()
endfunction()

# Fails the configure step when a .cpp under src/ or installer/ that this
# build should compile is in no target: a file nobody compiles is a file
# whose breakage nobody sees.
function(orvane_check_every_source_built)
  get_property(assigned GLOBAL PROPERTY ORVANE_ASSIGNED_SOURCES)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/*.cpp" "${CMAKE_SOURCE_DIR}/installer/*.cpp")
  set(missing "")
  foreach(file IN LISTS all)
    file(RELATIVE_PATH relative "${CMAKE_SOURCE_DIR}" "${file}")
    orvane_is_other_platform(other "${relative}")
    if(NOT other AND NOT file IN_LIST assigned)
      list(APPEND missing "${relative}")
    endif()
  endforeach()
  if(missing)
    list(JOIN missing "\n  " listed)
    message(FATAL_ERROR "These sources are in no target:\n  ${listed}")
  endif()
endfunction()
