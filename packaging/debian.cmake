# The Debian package, built by CPack from the install rules (make package).
# Its dependencies are the libraries the program links, found by
# dpkg-shlibdeps, and what it loads or reads without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "payroll in francs and euros for a small French employer")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quorvan keeps the employee file, the payroll parameters, the employer's
identity and the franc/euro rate of a small French business; each month it
makes the pay slip of an employee, every amount in francs with its euro twin,
to preview, print, write as PDF or keep. The interface is in French.

Quorvan, la paie en francs et en euros d'un petit employeur : fichier des
salariés, paramètres de la paie, employeur et taux de l'euro ; chaque mois la
fiche de paie d'un salarié, à prévisualiser, imprimer, écrire en PDF ou
garder aux archives.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorvan <contact@quorvan.fr>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, yet needed: Qt's French translations for "Oui", "Non" and
# "Annuler"; the pay slip's font; the fonts libwmf draws a metafile photo
# with. The Qt platform and image plugins used (xcb, offscreen; BMP, ICO,
# JPEG, GIF, SVG) come with libqt6gui6 and libqt6svg6, which the linked
# libraries already require.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-dejavu-core, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
