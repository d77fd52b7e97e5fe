# The Debian package (scripts/package): whatever the build installs, under /usr. Its
# dependencies are the packages that hold the libraries the programs link (found by
# dpkg-shlibdeps), plus the window system plugins Qt loads at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME movrand)
set(CPACK_PACKAGE_VENDOR Zorvex)
set(CPACK_PACKAGE_CONTACT "Zorvex <movrand@zorvex-gpl.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "install add-on cars and accessories for the racing simulation GPL")
set(CPACK_PACKAGE_DESCRIPTION
    "Movrand installs add-on cars and accessories into the team folders of the racing simulation
GPL (run under Wine), with records and backups, and removes them again; it swaps whole car
folders, changes drivers' car numbers and can be pointed at another GPL installation.
movrand-cli runs the same operations without windows.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zorvex-gpl.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(MOVRAND_GUI)
  # Qt opens the X11/Wayland platform plugins with dlopen, which dpkg-shlibdeps cannot see.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  if(MOVRAND_WEBENGINE)
    # The web engine runs its pages in a helper program of its own, started by path.
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6webenginecore6-bin")
  endif()
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)
include(CPack)
