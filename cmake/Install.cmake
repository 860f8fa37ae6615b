# What `cmake --install` puts under the prefix: the two programs, the desktop
# entry with its icon and AppStream metainfo, the manual pages, and on Debian
# the copyright and changelog files a package carries.
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(MC_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(MC_APP_ID tavrel-macro-creator)
set(MC_PACKAGE_MAINTAINER "Tavrel Macro Creator developers <tavrel-macro-creator@tavrel.org>"
    CACHE STRING "Who answers for the package (name <address>)")

install(TARGETS tavrel_macro_creator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command-line program comes with its own manual page.
set(mc_manual_pages tavrel-macro-creator)
if(TARGET tavrel-macro)
  install(TARGETS tavrel-macro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(APPEND mc_manual_pages tavrel-macro)
endif()

if(UNIX AND NOT APPLE)
  install(FILES ${MC_DATA_DIR}/${MC_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # AppStream wants the file named after the component id.
  install(FILES ${MC_DATA_DIR}/${MC_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          RENAME org.tavrel.MacroCreator.metainfo.xml)
  install(FILES ${MC_DATA_DIR}/icons/${MC_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  file(GLOB mc_icon_pngs RELATIVE ${MC_DATA_DIR}/icons/png ${MC_DATA_DIR}/icons/png/*.png)
  foreach(png IN LISTS mc_icon_pngs)
    get_filename_component(size ${png} NAME_WE)
    install(FILES ${MC_DATA_DIR}/icons/png/${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps RENAME ${MC_APP_ID}.png)
  endforeach()

  # Manual pages and the package's changelog are installed compressed, without
  # a time stamp in the gzip header, so that two builds give the same package.
  find_program(MC_GZIP gzip REQUIRED)
  set(mc_docs_dir ${PROJECT_BINARY_DIR}/installed-docs)
  configure_file(${MC_DATA_DIR}/changelog.in ${mc_docs_dir}/changelog @ONLY)
  set(mc_compressed ${mc_docs_dir}/changelog.gz)
  add_custom_command(OUTPUT ${mc_docs_dir}/changelog.gz
    COMMAND ${MC_GZIP} -9nc ${mc_docs_dir}/changelog > ${mc_docs_dir}/changelog.gz
    DEPENDS ${mc_docs_dir}/changelog VERBATIM)
  foreach(page IN LISTS mc_manual_pages)
    add_custom_command(OUTPUT ${mc_docs_dir}/${page}.1.gz
      COMMAND ${MC_GZIP} -9nc ${MC_DATA_DIR}/man/${page}.1 > ${mc_docs_dir}/${page}.1.gz
      DEPENDS ${MC_DATA_DIR}/man/${page}.1 VERBATIM)
    list(APPEND mc_compressed ${mc_docs_dir}/${page}.1.gz)
    install(FILES ${mc_docs_dir}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
  add_custom_target(installed_docs ALL DEPENDS ${mc_compressed})

  install(FILES ${MC_DATA_DIR}/copyright ${mc_docs_dir}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${MC_APP_ID})
endif()

if(WIN32)
  # The Qt libraries and plugins go next to the program.
  qt_generate_deploy_app_script(TARGET tavrel_macro_creator OUTPUT_SCRIPT mc_deploy_script
                                NO_UNSUPPORTED_PLATFORM_ERROR)
  install(SCRIPT ${mc_deploy_script})
endif()
