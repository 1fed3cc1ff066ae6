# Desktop integration, included by the top-level CMakeLists.txt after the
# targets vellacord, vellacord_core and vellacord_ui exist:
#  - the drawn pictures of the about and splash windows, compiled into the
#    window library (a resource in a shared library registers itself when
#    the library is loaded, so only the window ever maps them);
#  - the language files and the icon copied beside the executable, where the
#    program finds them in the build tree;
#  - the manual vellacord.pdf rendered from docs/manual.md beside the
#    executable, by a small tool of the build;
#  - the installation: the program in bin/, its two libraries in
#    lib/vellacord (see the RPATH settings of the top-level file), the
#    language files and the manual under share/, where the program finds
#    them from its own folder, and the menu entry and icon where the
#    freedesktop conventions put them.

target_sources(vellacord_ui PRIVATE ${CMAKE_SOURCE_DIR}/src/extras/ui/pictures/pictures.qrc)
set_target_properties(vellacord_ui PROPERTIES AUTORCC ON)

# Beside the executable: the language files and the icon.
set(VC_EXE_DIR ${CMAKE_BINARY_DIR})
file(GLOB VC_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.lang)
foreach(language_file IN LISTS VC_LANGUAGE_FILES)
  get_filename_component(language_name ${language_file} NAME)
  configure_file(${language_file} ${VC_EXE_DIR}/${language_name} COPYONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/vellacord.svg ${VC_EXE_DIR}/vellacord.svg COPYONLY)

# The manual, with the screenshots it shows.
add_executable(make-manual ${CMAKE_SOURCE_DIR}/tools/make-manual/main.cpp)
target_link_libraries(make-manual PRIVATE Qt6::Gui)
file(GLOB VC_MANUAL_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/screenshots/*.png)
add_custom_command(
  OUTPUT ${VC_EXE_DIR}/vellacord.pdf
  COMMAND make-manual ${CMAKE_SOURCE_DIR}/docs/manual.md ${VC_EXE_DIR}/vellacord.pdf
  DEPENDS make-manual ${CMAKE_SOURCE_DIR}/docs/manual.md ${VC_MANUAL_IMAGES}
  COMMENT "Rendering the manual vellacord.pdf"
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${VC_EXE_DIR}/vellacord.pdf)

# Installation. The program looks for its files in ../share seen from its
# own folder, so these destinations are fixed to share/. The program and
# its libraries are installed by the top-level file.
install(FILES ${VC_LANGUAGE_FILES} DESTINATION share/vellacord/lang)
install(FILES ${VC_EXE_DIR}/vellacord.pdf DESTINATION share/doc/vellacord)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vellacord.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vellacord.svg
        DESTINATION share/icons/hicolor/scalable/apps)
