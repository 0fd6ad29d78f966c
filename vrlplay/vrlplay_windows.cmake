# vrlplay.dll: the exports over the player, the engine binding, the registry and the output seam.
add_library(vrlplay SHARED
  exports.cpp
  player.cpp
  play_thread.cpp
  engine_binding.cpp
  database_registry.cpp
  module_folder.cpp
  output_seam.cpp
  output_standin.cpp
  vrlplay.def
)
set_target_properties(vrlplay PROPERTIES PREFIX "" OUTPUT_NAME vrlplay)
target_link_libraries(vrlplay PRIVATE vrlplay_core)
# Undecorated export names in the 32-bit build too (VRL_Play, not VRL_Play@16).
target_link_options(vrlplay PRIVATE -Wl,--kill-at)
