# The layout core of the product flow viewer: plain indices in, positions
# out, no host types. A static library (position independent) that the
# plug-in links in, and that tests and benchmarks use on their own.
# Included by whoever needs it first; later includes find the target.
if(NOT TARGET MoxPFVLayoutCore)
  add_library(MoxPFVLayoutCore STATIC
    ${CMAKE_CURRENT_LIST_DIR}/MoxPFVCanvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MoxPFVLevelGraph.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MoxPFVLevels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MoxPFVPlacement.cpp)
  target_include_directories(MoxPFVLayoutCore PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_compile_options(MoxPFVLayoutCore PRIVATE ${KIV_WARNINGS})
  set_target_properties(MoxPFVLayoutCore PROPERTIES POSITION_INDEPENDENT_CODE ON)
endif()
