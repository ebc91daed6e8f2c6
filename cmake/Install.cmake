# What `cmake --install` puts under a prefix, and the Debian package CPack
# makes of it:
#   bin/partition-settings                    the configuration host
#   <libdir>/partition-settings/              the component library
#                                             (libVEL_PART_SET.so), the server
#                                             components' library
#                                             (libQRV_SERVER.so) and the
#                                             shared layers they and the host use
#   include/VEL_PART_SET.h, QRV_SERVER.h,     the public headers
#           VEL_COM.h
#   <libdir>/cmake/VEL_PART_SET/              the CMake package: an imported
#                                             target VEL_PART_SET::VEL_PART_SET
#   <libdir>/pkgconfig/VEL_PART_SET.pc        the same for pkg-config, and
#   <libdir>/pkgconfig/VEL_COM.pc             the runtime a host links to
#                                             create objects (CoCreateInstance)
# The libraries are the component's own, so they live in a folder of their
# own, found through the run path ($ORIGIN); a host loads the component at run
# time from the path the registry names, and links none of them. Installing
# registers nothing: `partition-settings --register` does.

set_target_properties(${PARTITION_SETTINGS_SHARED_LAYERS} VEL_PART_SET QRV_SERVER PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(partition-settings PROPERTIES
    INSTALL_RPATH "$ORIGIN/${PARTITION_SETTINGS_INSTALLED_LIBRARY_FROM_HOST}")

install(TARGETS partition-settings RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${PARTITION_SETTINGS_SHARED_LAYERS} VEL_PART_SET QRV_SERVER
    LIBRARY DESTINATION ${PARTITION_SETTINGS_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
get_property(public_headers GLOBAL PROPERTY PARTITION_SETTINGS_PUBLIC_HEADERS)
install(FILES ${public_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The CMake package, relocatable: its paths are relative to where it lies.
include(CMakePackageConfigHelpers)
set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/VEL_PART_SET)
set(component_file ${PARTITION_SETTINGS_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:VEL_PART_SET>)
set(runtime_file ${PARTITION_SETTINGS_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:com_runtime>)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VEL_PART_SETConfig.cmake.in
    ${PROJECT_BINARY_DIR}/package/VEL_PART_SETConfig.cmake.in2
    INSTALL_DESTINATION ${package_dir}
    PATH_VARS CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_BINDIR)
# The library's file name is known only at generation time.
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/package/VEL_PART_SETConfig.cmake
    INPUT ${PROJECT_BINARY_DIR}/package/VEL_PART_SETConfig.cmake.in2)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/VEL_PART_SETConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/VEL_PART_SETConfig.cmake
              ${PROJECT_BINARY_DIR}/package/VEL_PART_SETConfigVersion.cmake
    DESTINATION ${package_dir})

# pkg-config: prefix-relative too (${pcfiledir}).
cmake_path(RELATIVE_PATH CMAKE_INSTALL_PREFIX BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig
    OUTPUT_VARIABLE pc_to_prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/VEL_PART_SET.pc.in ${PROJECT_BINARY_DIR}/package/VEL_PART_SET.pc.in2 @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/package/VEL_PART_SET.pc INPUT ${PROJECT_BINARY_DIR}/package/VEL_PART_SET.pc.in2)
configure_file(${PROJECT_SOURCE_DIR}/cmake/VEL_COM.pc.in ${PROJECT_BINARY_DIR}/package/VEL_COM.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/VEL_PART_SET.pc ${PROJECT_BINARY_DIR}/package/VEL_COM.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The Debian package: the files above under /usr, no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME partition-settings)
set(CPACK_PACKAGE_CONTACT "Partition Settings team <partition-settings@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Partition Settings component, its configuration host and its C/C++ header")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6, libqt6gui6, libqt6widgets6, libqt6sql6, libqt6sql6-sqlite, libsqlite3-0, libpugixml1v5, fonts-wine")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
