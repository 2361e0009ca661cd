# `cpack -G DEB` in a build folder makes the Debian package: the component "Runtime" only
# (see Install.cmake), installed under /usr.
set(CPACK_PACKAGE_NAME orlamo)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the voice content of a voice-output module")
set(CPACK_PACKAGE_DESCRIPTION
    "Orlamo collects mono wave files into a voice library, sorts them into bins, picks a numbered
selection of 245 slots (a playlist) and compiles it into the work file a voice-output module
loads. The package holds the editor, orlamo, and the headless tool orlamo-cli for build
pipelines.")
set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Runtime;/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER Quorvel)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (from dpkg-dev) reads the libraries the programs link and names their packages;
# without it the Qt 6 runtime is named by hand. libqt6svg6 is named either way: the window draws
# its SVG icons through Qt's SVG plugins, which are loaded at run time and never linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
find_program(ORLAMO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ORLAMO_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
           ", libqt6widgets6, libqt6gui6, libqt6core6, libqt6multimedia6, libsndfile1,"
           " libsamplerate0, libstdc++6,"
           " libc6")
endif()

include(CPack)
