# Fails when a source includes a plug-in header it may not see:
#   - a plug-in module (MoxPexViewers/<Module>.m) sees its own headers,
#     PublicInterfaces/ and ProtectedInterfaces/;
#   - ProtectedInterfaces/ sees itself and PublicInterfaces/;
#   - PublicInterfaces/ sees only itself;
#   - the shell (apps/) sees PublicInterfaces/ only;
#   - the host (host/) sees no plug-in header at all.
# Headers are matched by file name (the include path finds them by name) and,
# for includes that spell a path, by the folder the path leads to.
#
#   cmake -DKIV_ROOT=<source folder> -P cmake/KivCheckModuleIncludes.cmake
if(NOT KIV_ROOT)
  message(FATAL_ERROR "KivCheckModuleIncludes: give -DKIV_ROOT=<source folder>")
endif()
set(plugin MoxPexViewers)

# The folder of every plug-in header, by file name.
file(GLOB_RECURSE headers RELATIVE ${KIV_ROOT} ${KIV_ROOT}/${plugin}/*.h)
foreach(header ${headers})
  get_filename_component(name ${header} NAME)
  get_filename_component(folder ${header} DIRECTORY)
  set(folderOf_${name} ${folder})
endforeach()

set(violations "")

# Checks every source under `folder` against the folders it may see (itself
# and those given after it).
function(kiv_check_folder folder)
  set(visible ${folder} ${ARGN})
  file(GLOB_RECURSE sources RELATIVE ${KIV_ROOT} ${KIV_ROOT}/${folder}/*.h
       ${KIV_ROOT}/${folder}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${KIV_ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      get_filename_component(name ${included} NAME)
      if(included MATCHES "/")
        get_filename_component(from ${KIV_ROOT}/${source} DIRECTORY)
        get_filename_component(resolved ${from}/${included} ABSOLUTE)
        file(RELATIVE_PATH relative ${KIV_ROOT} ${resolved})
        get_filename_component(home ${relative} DIRECTORY)
      elseif(DEFINED folderOf_${name})
        set(home ${folderOf_${name}})
      else()
        continue()  # a host, system or local header
      endif()
      if(NOT home MATCHES "^${plugin}(/|$)")
        continue()
      endif()
      set(seen FALSE)
      foreach(allowed ${visible})
        if("${home}/" MATCHES "^${allowed}/")
          set(seen TRUE)
        endif()
      endforeach()
      if(NOT seen)
        list(APPEND violations "${source}: includes ${included}, a header of ${home}")
      endif()
    endforeach()
  endforeach()
  set(violations ${violations} PARENT_SCOPE)
endfunction()

file(GLOB modules LIST_DIRECTORIES true RELATIVE ${KIV_ROOT} ${KIV_ROOT}/${plugin}/*.m)
foreach(module ${modules})
  kiv_check_folder(${module} ${plugin}/PublicInterfaces ${plugin}/ProtectedInterfaces)
endforeach()
kiv_check_folder(${plugin}/ProtectedInterfaces ${plugin}/PublicInterfaces)
kiv_check_folder(${plugin}/PublicInterfaces)
kiv_check_folder(apps ${plugin}/PublicInterfaces)
kiv_check_folder(host)

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "A header across a module boundary:\n  ${text}")
endif()
