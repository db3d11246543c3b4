# Generates the melodies, announcements and ceremony sounds into the program folder at build time.
# Generated files are never committed.
add_custom_target(vezozil_sounds ALL)
