# Plug-in libraries loaded at run time. They are written into the "Plug-Ins" folder
# of the build tree, which the engine searches from the current folder first
# (tests run in the build folder).
set(HGL_PLUGIN_DIR ${CMAKE_BINARY_DIR}/Plug-Ins)
set(HGL_PLUGIN_TARGETS "")

find_library(HGL_LZO2_LIBRARY NAMES lzo2)
find_path(HGL_LZO2_INCLUDE NAMES lzo/lzo1x.h)

# hgl_plugin(<file name> <source>... [LIBS <lib>...]): a shared library named
# exactly "<file name>.so" that sees only the plug-in interface header.
function(hgl_plugin name)
  cmake_parse_arguments(P "" "" "LIBS" ${ARGN})
  string(REPLACE "." "_" target "plugin_${name}")
  add_library(${target} MODULE ${P_UNPARSED_ARGUMENTS})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${HGL_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/engine)
  target_link_libraries(${target} PRIVATE ${P_LIBS})
  if(NOT HGL_FUZZ)
    # clang does not link the sanitizer runtime into shared objects.
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set(HGL_PLUGIN_TARGETS ${HGL_PLUGIN_TARGETS} ${target} PARENT_SCOPE)
endfunction()

set(_pc ${CMAKE_SOURCE_DIR}/plugins/compress)
set(_pt ${CMAKE_SOURCE_DIR}/plugins/test)

hgl_plugin(Compress.Zip ${_pc}/Zip.cpp LIBS z)
hgl_plugin(Compress.Bzip2 ${_pc}/Bzip2.cpp LIBS bz2)
hgl_plugin(Compress.Lzma ${_pc}/Lzma.cpp LIBS lzma)
hgl_plugin(Compress.RLE ${_pc}/RLE.cpp)
# liblzo2 is one of the project's packages (tools/packages.txt), so its absence is a
# broken set-up and stops the configuration. Building without it anyway takes
# -DHGL_WITHOUT_LZO=ON; the Lzo method then has no plug-in and its tests are skipped.
option(HGL_WITHOUT_LZO "Build without the Lzo compression plug-in (liblzo2 missing)" OFF)
if(HGL_LZO2_LIBRARY AND HGL_LZO2_INCLUDE AND NOT HGL_WITHOUT_LZO)
  hgl_plugin(Compress.Lzo ${_pc}/Lzo.cpp LIBS ${HGL_LZO2_LIBRARY})
  target_include_directories(plugin_Compress_Lzo PRIVATE ${HGL_LZO2_INCLUDE})
  set(HGL_HAVE_LZO 1)
elseif(HGL_WITHOUT_LZO)
  message(WARNING "HGL_WITHOUT_LZO: the Lzo method has no plug-in; its tests are skipped")
  set(HGL_HAVE_LZO 0)
else()
  message(FATAL_ERROR "liblzo2 not found: install the package liblzo2-dev (listed in tools/packages.txt; "
                      "tools/install-deps.sh installs them all), or configure with -DHGL_WITHOUT_LZO=ON "
                      "to build without the Lzo compression plug-in")
endif()

# Plug-ins that exist only to drive the loader's error paths in tests.
hgl_plugin(Compress.Only01 ${_pt}/Only01.cpp)
hgl_plugin(Compress.Old ${_pt}/Old.cpp)
hgl_plugin(Compress.NoIface ${_pt}/NoIface.cpp)
hgl_plugin(Compress.Refuse ${_pt}/Refuse.cpp)
hgl_plugin(Test.NoVersion ${_pt}/NoVersion.cpp)
hgl_plugin(Test.NoIntro ${_pt}/NoIntro.cpp)
hgl_plugin(Test.Order ${_pt}/Order.cpp)

# Programs that load plug-ins are built after them and told where they are.
function(hgl_plugin_user target)
  if(TARGET ${target})
    add_dependencies(${target} ${HGL_PLUGIN_TARGETS})
    target_compile_definitions(${target} PRIVATE HGL_PLUGIN_DIR="${HGL_PLUGIN_DIR}" HGL_PLUGIN_DIR_U=u"${HGL_PLUGIN_DIR}"
                               HGL_HAVE_LZO=${HGL_HAVE_LZO})
  endif()
endfunction()

function(hgl_test_extra_platform target)
  hgl_plugin_user(${target})
endfunction()

# The benchmark and fuzz programs are defined after this file; attach to them once
# the whole tree is read.
# Every test, benchmark and fuzz program is made to wait for the plug-ins, since any
# of them may reach a compression method.
function(hgl_plugin_users_late)
  get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t ${targets})
    if(t MATCHES "^(test_|bench_|fuzz_)")
      add_dependencies(${t} ${HGL_PLUGIN_TARGETS})
    endif()
  endforeach()
  hgl_plugin_user(bench_decompress)
  hgl_plugin_user(fuzz_replay_decompress)
  hgl_plugin_user(fuzz_decompress)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hgl_plugin_users_late)
