# Desktop integration, included by the top-level CMakeLists.txt after the
# targets vellacord and vellacord_tests exist:
#  - the drawn pictures of the about and splash windows compiled in;
#  - the language files and the icon copied beside the executable, where the
#    program finds them in the build tree;
#  - the manual vellacord.pdf rendered from docs/manual.md beside the
#    executable;
#  - the installation: the program in bin/, everything else under share/,
#    where the program finds it from its own folder and where the freedesktop
#    conventions put menu entries and icons.

# The pictures go into the executables through an object library: objects of
# a resource in a static library are dropped by the linker, because nothing
# refers to them.
add_library(vellacord_pictures OBJECT ${CMAKE_SOURCE_DIR}/src/extras/ui/pictures/pictures.qrc)
set_target_properties(vellacord_pictures PROPERTIES AUTORCC ON)
target_link_libraries(vellacord_pictures PRIVATE Qt6::Core)
target_link_libraries(vellacord PRIVATE vellacord_pictures)
if(TARGET vellacord_tests)
  target_link_libraries(vellacord_tests PRIVATE vellacord_pictures)
endif()

# Language files and the icon beside the executable.
file(GLOB VC_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.lang)
foreach(language_file IN LISTS VC_LANGUAGE_FILES)
  get_filename_component(language_name ${language_file} NAME)
  configure_file(${language_file} ${CMAKE_BINARY_DIR}/${language_name} COPYONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/vellacord.svg ${CMAKE_BINARY_DIR}/vellacord.svg
               COPYONLY)

# The manual, rendered by a small tool of the build.
add_executable(make-manual ${CMAKE_SOURCE_DIR}/tools/make-manual/main.cpp)
target_link_libraries(make-manual PRIVATE Qt6::Gui)
file(GLOB VC_MANUAL_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/images/*)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/vellacord.pdf
  COMMAND make-manual ${CMAKE_SOURCE_DIR}/docs/manual.md ${CMAKE_BINARY_DIR}/vellacord.pdf
  DEPENDS make-manual ${CMAKE_SOURCE_DIR}/docs/manual.md ${VC_MANUAL_IMAGES}
  COMMENT "Rendering the manual vellacord.pdf"
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${CMAKE_BINARY_DIR}/vellacord.pdf)

# Installation. The program looks for its files in ../share seen from its
# own folder, so the destinations are fixed to bin/ and share/.
install(TARGETS vellacord RUNTIME DESTINATION bin)
install(FILES ${VC_LANGUAGE_FILES} DESTINATION share/vellacord/lang)
install(FILES ${CMAKE_BINARY_DIR}/vellacord.pdf DESTINATION share/doc/vellacord)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vellacord.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vellacord.svg
        DESTINATION share/icons/hicolor/scalable/apps)
