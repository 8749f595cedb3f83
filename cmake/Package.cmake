# The Debian package: everything that "cmake --install" puts in place, with its library dependencies
# worked out from the installed binaries by dpkg-shlibdeps. scripts/package.sh builds it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kelvora developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_PACKAGE_CONTACT "The Kelvora developers <kelvora@kelvora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reversal potentials of the ATP synthase and the nucleotide translocase")
# The long description: CPack indents it and marks its empty lines as Debian's control format wants.
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvora shows under which conditions the ATP synthase and the adenine
nucleotide translocase of the inner mitochondrial membrane reverse their
direction. From twenty model parameters (matrix and outside ATP and ADP,
matrix phosphate, pH on both sides, the coupling number of the ATP
synthase, magnesium, temperature and the dissociation constants of the
nucleotides) it computes both reversal potentials in closed form and plots
them against the membrane potential, with colour zones that tell in which
direction each enzyme works.

The package holds the window, kelvora, and kelvora-export, which writes
the same table or plot without a display.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kelvora)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME kelvora)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # kelvora_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see it: the TIFF writer of kelvora-export.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
# Directories 0755 and files 0644 or 0755 whatever the umask of the machine that builds it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
