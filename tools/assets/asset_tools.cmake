# Defines the asset generator and the contact sheet tool when librsvg, cairo,
# libimagequant and giflib are installed. Included by tools/ and by the asset tests
# (which need the generator to check that it reproduces the committed files).
# Sets BOLVENDA_ASSET_TOOLS_FOUND.
if(TARGET bolvenda_asset_gen)
  set(BOLVENDA_ASSET_TOOLS_FOUND TRUE)
  return()
endif()

find_package(PkgConfig QUIET)
set(BOLVENDA_ASSET_TOOLS_FOUND FALSE)
if(PkgConfig_FOUND)
  pkg_check_modules(BOLVENDA_ASSET_LIBS QUIET IMPORTED_TARGET librsvg-2.0 cairo imagequant libgif)
endif()
if(NOT BOLVENDA_ASSET_LIBS_FOUND)
  message(STATUS "Asset tools: librsvg, cairo, libimagequant or giflib missing; not built")
  return()
endif()
set(BOLVENDA_ASSET_TOOLS_FOUND TRUE)

set(_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(bolvenda_asset_tools STATIC
  ${_dir}/raster.cpp ${_dir}/indexed.cpp ${_dir}/gif_writer.cpp ${_dir}/windows_icon.cpp
  ${_dir}/asset_list.cpp ${_dir}/gif_reader.cpp)
target_include_directories(bolvenda_asset_tools PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bolvenda_asset_tools PUBLIC PkgConfig::BOLVENDA_ASSET_LIBS bolvenda_assets)

add_executable(bolvenda_asset_gen ${_dir}/generate_main.cpp)
target_link_libraries(bolvenda_asset_gen PRIVATE bolvenda_asset_tools)

add_executable(bolvenda_contact_sheet ${_dir}/contact_sheet_main.cpp)
# The sheet of scales shows the game's own pictures beside librsvg's renderings.
target_link_libraries(bolvenda_contact_sheet PRIVATE bolvenda_asset_tools bolvenda_render)
unset(_dir)
