# Read by cpack once per generator: the .deb installs the portable folder under /opt and its
# desktop files at their absolute places; the .tar.gz holds the portable folder alone.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX /opt/vo40913)
    set(CPACK_PACKAGING_INSTALL_PREFIX /opt/vo40913)
endif()
