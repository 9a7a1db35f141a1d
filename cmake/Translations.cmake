# Runs lupdate over the source folders that hold visible texts and brings the .ts files up to
# date, or checks that they are.
#   cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<repository> -DTS_DIR=<folder of the .ts files>
#         [-DCHECK_DIR=<scratch folder>] -P Translations.cmake
# Update (no CHECK_DIR): texts no code uses any more are dropped, every used translation is kept,
# and the English file gets its source texts as translations. Check (CHECK_DIR): the same run
# over copies in CHECK_DIR, keeping vanished texts, fails on any vanished or unfinished entry.
foreach(var LUPDATE SOURCE_DIR TS_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "Translations.cmake: ${var} not set")
  endif()
endforeach()

set(text_folders uikit settings editor files updater protocol link tools/screenshots)
set(sources)
foreach(folder ${text_folders})
  if(IS_DIRECTORY ${SOURCE_DIR}/${folder})
    list(APPEND sources ${SOURCE_DIR}/${folder})
  endif()
endforeach()

set(languages en zh_CN de fr ja)
set(ts_files)
foreach(language ${languages})
  set(ts ${TS_DIR}/talix_${language}.ts)
  if(CHECK_DIR)
    file(MAKE_DIRECTORY ${CHECK_DIR})
    file(COPY ${ts} DESTINATION ${CHECK_DIR})
    set(ts ${CHECK_DIR}/talix_${language}.ts)
  endif()
  list(APPEND ts_files ${ts})
endforeach()

# No line numbers in the files: they would change with every edit and clash in every merge.
set(options -silent -locations none -extensions cpp,h -I ${SOURCE_DIR})
if(NOT CHECK_DIR)
  list(APPEND options -no-obsolete)
endif()
execute_process(COMMAND ${LUPDATE} ${options} ${sources} -ts ${ts_files}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${result}")
endif()

if(NOT CHECK_DIR)
  # English is the source language: its translation of a text is the text itself.
  set(en ${TS_DIR}/talix_en.ts)
  file(READ ${en} content)
  string(REGEX REPLACE
         "<source>([^<]*)</source>([^<]*)<translation type=\"unfinished\"></translation>"
         "<source>\\1</source>\\2<translation>\\1</translation>" content "${content}")
  file(WRITE ${en} "${content}")
  return()
endif()

set(problems)
foreach(ts ${ts_files})
  get_filename_component(name ${ts} NAME)
  file(READ ${ts} content)
  # Every finished translation has no type; count the others, and name their texts where the
  # message is a plain one.
  string(REGEX MATCHALL "<translation type=\"[a-z]+\"" marks "${content}")
  list(LENGTH marks count)
  if(count GREATER 0)
    list(APPEND problems "${name}: ${count} vanished or unfinished")
    string(REGEX MATCHALL "<source>[^<]*</source>[^<]*<translation type=\"[a-z]+\""
           entries "${content}")
    foreach(entry ${entries})
      string(REGEX REPLACE "<source>([^<]*)</source>.*type=\"([a-z]+)\"" "  \\2: \\1" entry
                           "${entry}")
      list(APPEND problems "${entry}")
    endforeach()
  endif()
endforeach()
if(problems)
  string(REPLACE ";" "\n  " problems "${problems}")
  message(FATAL_ERROR "Translations out of date (build the target update_translations, then "
                      "translate what is unfinished; the checked copies are in ${CHECK_DIR}):"
                      "\n  ${problems}")
endif()
message(STATUS "Translations up to date")
