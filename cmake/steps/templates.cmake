# The example templates of the HTML evaluation travel inside the program; they are copied to
# "Auswertung/Templates" in the program folder when that folder does not exist yet.
file(GLOB FK_EXAMPLE_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/templates/*.html)
qt_add_resources(fk_core "example_templates"
  PREFIX "/templates"
  BASE ${CMAKE_SOURCE_DIR}/data/templates
  FILES ${FK_EXAMPLE_TEMPLATES})
