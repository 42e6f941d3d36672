# The browser's site, staged in site/: the game's script and its WebAssembly (and the same
# again as a script, for a page opened from disk, which may not fetch a second file), the page
# that loads them, the web app's manifest, icons and service worker.
set(site ${CMAKE_CURRENT_BINARY_DIR}/site)
add_executable(bolvenda web_main.cpp)
target_link_libraries(bolvenda PRIVATE bolvenda_web bolvenda_command_line)
set_target_properties(bolvenda PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${site})
# Native WebAssembly exceptions: no JavaScript trampoline around every call that may throw.
# Bulk memory (with the compile flags): large fills and copies are one instruction each.
# No file system and no exit: the game reads nothing but its own embedded bytes. The link's
# whole-program pass for size (-Os, after the build type's -O3): 2 % smaller, as quick to start;
# our code itself stays at -O3, where -Os made the start 15 % slower.
target_link_options(bolvenda PRIVATE -Os
  -fwasm-exceptions -mbulk-memory -sUSE_SDL=0 -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web -sEXIT_RUNTIME=0 -sINCOMING_MODULE_JS_API=arguments,canvas,instantiateWasm,onAbort,wasmBinary)

# The page's title and colours are the window's (the root CMakeLists.txt).
set(BOLVENDA_TITLE "${BOLVENDA_WINDOW_TITLE}")
set(BOLVENDA_BACKGROUND "#${BOLVENDA_BACKGROUND_COLOUR}")
string(TOLOWER "${BOLVENDA_BACKGROUND}" BOLVENDA_BACKGROUND)
# The title's last part, after its run of blanks, says what the game is.
string(REGEX MATCH "[^ ]+( [^ ]+)*$" BOLVENDA_DESCRIPTION "${BOLVENDA_TITLE}")
# The happy face, drawn inline as the loading progress and in the picture that asks to turn a
# phone: no file to wait for.
file(READ ${PROJECT_SOURCE_DIR}/scene/assets/art/face_happy.svg BOLVENDA_FACE)
string(REGEX REPLACE "^<svg[^>]*>|</svg>[ \n]*$" "" BOLVENDA_FACE "${BOLVENDA_FACE}")
set(BOLVENDA_WASM_BYTES "@BOLVENDA_WASM_BYTES@")  # known once linked: finish_site.js
configure_file(${PROJECT_SOURCE_DIR}/platform/web/page/index.html.in ${site}/index.html.in @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/platform/web/page/manifest.webmanifest.in ${site}/manifest.webmanifest @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/platform/web/page/sw.js.in ${site}/sw.js.in COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/platform/web/page/load_sounds.js ${site}/load_sounds.js COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/scene/assets/bolvenda.ico ${site}/favicon.ico COPYONLY)
file(GLOB web_icons ${PROJECT_SOURCE_DIR}/packaging/icons/web/*.png)
file(COPY ${web_icons} DESTINATION ${site}/icons)

find_program(BOLVENDA_NODE NAMES node nodejs REQUIRED)
add_custom_command(OUTPUT ${site}/bolvenda.sounds ${site}/bolvenda.sounds.js
         ${site}/bolvenda.adpcm.sounds ${site}/bolvenda.adpcm.sounds.js
  COMMAND ${BOLVENDA_NODE} ${PROJECT_SOURCE_DIR}/platform/web/page/bundle_sounds.js
          ${site}/bolvenda.sounds ${BOLVENDA_WEB_SOUND_FILES}
  COMMAND ${BOLVENDA_NODE} ${PROJECT_SOURCE_DIR}/platform/web/page/bundle_sounds.js
          ${site}/bolvenda.adpcm.sounds ${BOLVENDA_SOUND_FILES}
  DEPENDS ${PROJECT_SOURCE_DIR}/platform/web/page/bundle_sounds.js ${BOLVENDA_SOUND_FILES}
          ${BOLVENDA_WEB_SOUND_FILES}
  COMMENT "Bundling the sounds for the browser"
  VERBATIM)
add_custom_command(OUTPUT ${site}/sw.js ${site}/index.html ${site}/bolvenda.wasm.js
  COMMAND ${BOLVENDA_NODE} ${PROJECT_SOURCE_DIR}/platform/web/page/finish_site.js ${site} ${PROJECT_VERSION}
  DEPENDS bolvenda ${PROJECT_SOURCE_DIR}/platform/web/page/finish_site.js ${site}/index.html.in ${site}/sw.js.in
          ${site}/bolvenda.sounds
          ${site}/manifest.webmanifest ${web_icons}
  COMMENT "Finishing the browser's site"
  VERBATIM)
add_custom_target(bolvenda_site ALL DEPENDS ${site}/sw.js)
