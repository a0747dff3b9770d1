# The fonts the tests, screenshots, help documents and benchmarks see: fontconfig configurations of the
# project's own that list only the font files of the packages scripts/setup installs, so that a font
# installed by hand on one machine can neither rescue nor break a test or change a picture.
#   KW24_FONTCONFIG_DESIGNED  the face the fixed layouts are designed for, with the help documents' face
#   KW24_FONTCONFIG_FALLBACK  a desktop without that face: DejaVu Sans only
# Each is a file to give the programs in FONTCONFIG_FILE.

set(kw24_font_packages fonts-liberation2 fonts-dejavu-core)
set(kw24_fonts_dir ${CMAKE_BINARY_DIR}/fonts)

execute_process(COMMAND dpkg-query -L ${kw24_font_packages}
                OUTPUT_VARIABLE kw24_font_package_files RESULT_VARIABLE kw24_font_query
                ERROR_QUIET)
if(NOT kw24_font_query EQUAL 0)
  message(FATAL_ERROR "The font packages ${kw24_font_packages} are not installed: run scripts/setup")
endif()
string(REPLACE "\n" ";" kw24_font_package_files "${kw24_font_package_files}")
list(FILTER kw24_font_package_files INCLUDE REGEX "\\.(ttf|otf)$")

# kw24_write_fontconfig(FILE FONT_FILES...): a configuration holding exactly FONT_FILES, with sans-serif
# meaning the designed face where it is there. Folders are scanned whole by fontconfig, so every file
# in them but the listed ones is rejected.
function(kw24_write_fontconfig output)
  set(folders)
  set(accepted)
  foreach(font IN LISTS ARGN)
    get_filename_component(folder ${font} DIRECTORY)
    list(APPEND folders ${folder})
    string(APPEND accepted "      <glob>${font}</glob>\n")
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(dirs)
  foreach(folder IN LISTS folders)
    string(APPEND dirs "  <dir>${folder}</dir>\n")
  endforeach()
  file(WRITE ${output} "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">
<!-- Written by the build (cmake/Fonts.cmake); the fonts the project's tests and pictures see. -->
<fontconfig>
${dirs}  <cachedir>${kw24_fonts_dir}/cache</cachedir>
  <selectfont>
    <acceptfont>
${accepted}    </acceptfont>
    <rejectfont><glob>*</glob></rejectfont>
  </selectfont>
  <alias binding=\"same\">
    <family>sans-serif</family>
    <prefer><family>Liberation Sans</family><family>DejaVu Sans</family></prefer>
  </alias>
  <match target=\"font\">
    <edit name=\"antialias\" mode=\"assign\"><bool>true</bool></edit>
    <edit name=\"hinting\" mode=\"assign\"><bool>true</bool></edit>
    <edit name=\"hintstyle\" mode=\"assign\"><const>hintslight</const></edit>
    <edit name=\"rgba\" mode=\"assign\"><const>none</const></edit>
  </match>
</fontconfig>
")
endfunction()

set(kw24_fallback_fonts ${kw24_font_package_files})
list(FILTER kw24_fallback_fonts INCLUDE REGEX "/DejaVuSans(-Bold)?\\.ttf$")
set(KW24_FONTCONFIG_DESIGNED ${kw24_fonts_dir}/designed.conf)
set(KW24_FONTCONFIG_FALLBACK ${kw24_fonts_dir}/dejavu-only.conf)
kw24_write_fontconfig(${KW24_FONTCONFIG_DESIGNED} ${kw24_font_package_files})
kw24_write_fontconfig(${KW24_FONTCONFIG_FALLBACK} ${kw24_fallback_fonts})
