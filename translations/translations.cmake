# The catalogues, compiled into the windows (dravik_ui) as resources under
# :/i18n, so that the programs need no file beside them: every
# translations/dravik2_<language>.ts, built by the build machine's lrelease
# (also for the Windows cross build), and for every language but English
# Qt's own catalogue, qtbase_<language>.qm, for the words of Qt's buttons and
# dialogs. A new language is a new .ts file and nothing else.
#
# Qt's catalogues come from DRAVIK_QT_TRANSLATIONS_DIR: by default the
# folder of the Qt the build uses (Debian's qt6-translations-l10n). The
# Windows cross build takes the same files from the build machine's Qt: a
# .qm file is data, the same on every platform, and Debian's come from the
# same Qt 6.4.2 as the Qt for Windows the cross build links.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

if(NOT DEFINED DRAVIK_QT_TRANSLATIONS_DIR AND NOT CMAKE_CROSSCOMPILING AND TARGET Qt6::qtpaths)
  get_target_property(dravik_qtpaths Qt6::qtpaths LOCATION)
  execute_process(COMMAND ${dravik_qtpaths} --query QT_INSTALL_TRANSLATIONS
                  OUTPUT_VARIABLE dravik_qt_translations OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(DRAVIK_QT_TRANSLATIONS_DIR "${dravik_qt_translations}" CACHE PATH "Where Qt's own qtbase_<language>.qm lie")
elseif(NOT DEFINED DRAVIK_QT_TRANSLATIONS_DIR AND QT_HOST_PATH)
  set(DRAVIK_QT_TRANSLATIONS_DIR "${QT_HOST_PATH}/share/qt6/translations" CACHE PATH
      "Where Qt's own qtbase_<language>.qm lie")
endif()

file(GLOB dravik_ts_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/dravik2_*.ts)
set(dravik_qm_dir ${CMAKE_CURRENT_BINARY_DIR}/i18n)
set(dravik_qm_files)
foreach(ts ${dravik_ts_files})
  get_filename_component(name ${ts} NAME_WE)
  string(REGEX REPLACE "^dravik2_" "" language ${name})
  set(qm ${dravik_qm_dir}/${name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dravik_qm_dir}
    COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
    DEPENDS ${ts} VERBATIM)
  list(APPEND dravik_qm_files ${qm})
  if(NOT language STREQUAL "en")
    set(qtbase ${DRAVIK_QT_TRANSLATIONS_DIR}/qtbase_${language}.qm)
    if(DRAVIK_QT_TRANSLATIONS_DIR AND EXISTS ${qtbase})
      configure_file(${qtbase} ${dravik_qm_dir}/qtbase_${language}.qm COPYONLY)
      list(APPEND dravik_qm_files ${dravik_qm_dir}/qtbase_${language}.qm)
    else()
      message(WARNING "Qt's own catalogue qtbase_${language}.qm was not found in \"${DRAVIK_QT_TRANSLATIONS_DIR}\" "
                      "(DRAVIK_QT_TRANSLATIONS_DIR): Qt's buttons and dialogs stay in English in that language")
    endif()
  endif()
endforeach()
qt_add_resources(dravik_ui dravik_translations PREFIX /i18n BASE ${dravik_qm_dir} FILES ${dravik_qm_files})
