# Installation: the programs, libhyx with its headers, pkg-config file and CMake package, the
# database, the manual pages and the sample soundings; and the Debian package made from them.
#
# Everything installed refers to its neighbours by relative paths (the programs' run path, the
# database beside the programs, the pkg-config prefix), so that an installed tree works under
# any prefix, also one given only at install time (cmake --install build --prefix DIR).

set(HYX_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/HYX)

# Programs built on the installed library compile its headers as C++17.
target_compile_features(hyx PUBLIC cxx_std_17)

# The library, exported for find_package(HYX) as HYX::hyx.
install(TARGETS hyx EXPORT HYXTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/HYX DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT HYXTargets NAMESPACE HYX:: DESTINATION ${HYX_CONFIG_DIR})

include(CMakePackageConfigHelpers)
configure_package_config_file(cmake/HYXConfig.cmake.in
    ${PROJECT_BINARY_DIR}/HYXConfig.cmake INSTALL_DESTINATION ${HYX_CONFIG_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/HYXConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/HYXConfig.cmake ${PROJECT_BINARY_DIR}/HYXConfigVersion.cmake
    DESTINATION ${HYX_CONFIG_DIR})

# pkg-config: the prefix is found from the .pc file's own place.
file(RELATIVE_PATH HYX_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" HYX_PC_TO_PREFIX "${HYX_PC_TO_PREFIX}")
configure_file(cmake/libhyx.pc.in ${PROJECT_BINARY_DIR}/libhyx.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/libhyx.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The programs. A program linked with the shared libhyx finds the one of its own tree by its
# run path, with no LD_LIBRARY_PATH and no ldconfig. vsect linked with the archive has no run
# path: the empty entries CMake reserves in the build tree for the installed one would send
# the loader looking for libc in the current directory.
file(RELATIVE_PATH HYX_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(upaconv PROPERTIES INSTALL_RPATH "$ORIGIN/${HYX_BIN_TO_LIB}")
if(NOT HYX_VSECT_STATIC)
    set_target_properties(vsect PROPERTIES INSTALL_RPATH "$ORIGIN/${HYX_BIN_TO_LIB}")
endif()
install(TARGETS vsect upaconv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES docs/vsect.1 docs/upaconv.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(DIRECTORY share/hyx DESTINATION ${CMAKE_INSTALL_DATADIR})
# The sample soundings, for the examples of the manual page and the README.
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vsect/examples
    FILES_MATCHING PATTERN "*.cvt" PATTERN "README.md")

# cpack -G DEB: one package with the programs, the library, its headers and the database.
set(CPACK_PACKAGE_NAME vsect)
set(CPACK_PACKAGE_VENDOR "hyx")
set(CPACK_PACKAGE_CONTACT "vsect maintainers <root@localhost>" CACHE STRING
    "Maintainer named in the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "vertical cross sections of the atmosphere from upper-air soundings")
# CPack indents the continuation lines of the long description itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "vsect draws vertical cross sections and time sections of the atmosphere
from upper-air soundings (rawinsonde observations): contours, filled contours,
values and wind barbs against distance and pressure, in an X window or to
PostScript, HP-GL/2, metafile, GIF and PNG files. The package also holds
upaconv, which writes upper-air files from University of Wyoming pages and
tables, Iowa Environmental Mesonet tables, SHARPpy files, IGRA 2 station files,
BUFR reports and coded TEMP and PILOT bulletins, and libhyx, the library both
are built on, with its headers, pkg-config file and CMake package.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
