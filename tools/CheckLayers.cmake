# Fails when a source includes from a layer it must not depend on. The targets share one
# include root, src/, as the folder layout has every area directly under it; this check is what
# keeps the core free of the window, the widgets free of both, and the command line free of
# the window. Run as: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
set(core_areas util markup catalogue romfolder romlist fileops net version settings session reporting)
string(JOIN "|" core_pattern ${core_areas})

function(forbid_includes area forbidden_pattern)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${area}/*.h" "${SOURCE_DIR}/${area}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" hits REGEX "^#include \"(${forbidden_pattern})/")
    if(hits)
      message(FATAL_ERROR "${source} includes from a layer it must not depend on: ${hits}")
    endif()
  endforeach()
endfunction()

foreach(area IN LISTS core_areas)
  forbid_includes(${area} "app|widgets|cli")
endforeach()
forbid_includes(widgets "app|cli|${core_pattern}")
forbid_includes(cli "app|widgets")
