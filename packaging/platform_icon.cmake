# The icon file each platform's own packaging wants, rendered from the SVG by
# pellomarin-render-icon: an .icns in the macOS bundle's resources, an .ico
# linked into the Windows executable. Linux desktops take the SVG itself
# from the icon theme, so nothing is added there.
function(pellomarin_add_platform_icon target svg)
  set(renderer $<TARGET_FILE:pellomarin-render-icon>)
  if(APPLE)
    set(iconset ${CMAKE_CURRENT_BINARY_DIR}/pellomarin.iconset)
    set(icns ${CMAKE_CURRENT_BINARY_DIR}/pellomarin.icns)
    set(render_commands)
    foreach(size 16 32 128 256 512)
      math(EXPR double "${size} * 2")
      list(APPEND render_commands
        COMMAND ${renderer} ${svg} ${size} ${iconset}/icon_${size}x${size}.png
        COMMAND ${renderer} ${svg} ${double} ${iconset}/icon_${size}x${size}@2x.png)
    endforeach()
    add_custom_command(OUTPUT ${icns}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${iconset}
      ${render_commands}
      COMMAND iconutil --convert icns --output ${icns} ${iconset}
      DEPENDS ${svg} pellomarin-render-icon
      VERBATIM)
    target_sources(${target} PRIVATE ${icns})
    set_source_files_properties(${icns} PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
    set_target_properties(${target} PROPERTIES MACOSX_BUNDLE_ICON_FILE pellomarin.icns)
  elseif(WIN32)
    set(ico ${CMAKE_CURRENT_BINARY_DIR}/pellomarin.ico)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/pellomarin_icon.rc)
    add_custom_command(OUTPUT ${ico}
      COMMAND ${renderer} ${svg} 256 ${ico}
      DEPENDS ${svg} pellomarin-render-icon
      VERBATIM)
    file(WRITE ${rc} "IDI_ICON1 ICON \"pellomarin.ico\"\n")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
    target_sources(${target} PRIVATE ${rc} ${ico})
  endif()
endfunction()
