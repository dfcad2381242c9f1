# Installing and packaging: the installed tree and its desktop files, and the
# Debian package in a clean Debian 12 root.
if(TARGET vandrel)
  set(_vandrel_has_program 1)
else()
  set(_vandrel_has_program 0)
endif()

add_test(NAME install_tree
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/install_tree_test.sh
          ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR} ${_vandrel_has_program})
set_tests_properties(install_tree PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60)

# Builds the .deb with cpack, installs it into a cached debootstrap root with
# apt-get, starts it under Xvfb there and removes it again. Needs root and the
# Debian mirror; the first run makes the root (several minutes), later runs
# reuse it.
if(TARGET vandrel AND NOT VANDREL_SANITIZE)
  add_test(NAME deb_in_clean_root
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/deb_chroot_test.sh ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR})
  set_tests_properties(deb_in_clean_root PROPERTIES
    LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 1200)
endif()

# lintian on the package: no program without its manual page.
if(TARGET vandrel AND NOT VANDREL_SANITIZE)
  add_test(NAME deb_lintian
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/lintian_test.sh ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR})
  set_tests_properties(deb_lintian PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
