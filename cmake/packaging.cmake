# The Debian package (scripts/package.sh): cpack -G DEB packs what `cmake --install` installs,
# with the copyright file and the changelog every Debian package carries.
set(CPACK_PACKAGE_NAME tav1)
set(CPACK_PACKAGE_VENDOR "TAV1 developers")
set(CPACK_PACKAGE_CONTACT "TAV1 developers <maintainers@users.noreply.c-seed-904949f4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mobile robot cart with a range scanner on a bitmap map")
set(CPACK_PACKAGE_DESCRIPTION
    "TAV1 is a desktop program for experimenting with a small mobile robot, a
cart, on a bitmap map. Pick a start and an end point, generate a reference
trajectory (a full sine, a half sine or a straight line) and animate the cart
along it while a simulated range scanner sweeps the map ahead of it and stops
at the obstacles drawn in pure red. Its curve tools write circle point files,
plot point files and integrate sample files.

Every command also runs from a batch script on an offscreen window, which
writes pictures and the program's state as JSON, for comparisons and for
sweeps over many maps and settings.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/tav1/")
# Dependencies from the libraries the binary links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module's own, which no library it links names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${TAV1_PYTHON_DEPENDS}")

find_program(GZIP gzip REQUIRED)
set(changelog ${CMAKE_BINARY_DIR}/changelog)
add_custom_command(OUTPUT ${changelog}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian/changelog ${changelog}
    COMMAND ${GZIP} -9 -n -f ${changelog}
    DEPENDS cmake/debian/changelog
    VERBATIM)
add_custom_target(changelog ALL DEPENDS ${changelog}.gz)
install(FILES cmake/debian/copyright ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
