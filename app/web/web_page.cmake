# The browser's game: bolvenda.js with the WebAssembly inside it (a page opened from disk may
# not fetch a second file), the page that loads it, and the game's icon as the page's.
add_executable(bolvenda web_main.cpp)
target_link_libraries(bolvenda PRIVATE bolvenda_session)
target_link_options(bolvenda PRIVATE
  -fexceptions -sUSE_SDL=0 -sUSE_SDL_TTF=0 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web -sEXIT_RUNTIME=0)

# The page's title and colour are the window's (the root CMakeLists.txt).
set(BOLVENDA_TITLE "${BOLVENDA_WINDOW_TITLE}")
set(BOLVENDA_BACKGROUND "#${BOLVENDA_BACKGROUND_COLOUR}")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/web/index.html.in ${CMAKE_CURRENT_BINARY_DIR}/index.html @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/scene/assets/bolvenda.ico ${CMAKE_CURRENT_BINARY_DIR}/favicon.ico COPYONLY)
