/* The cost of libxml2's xmlTextWriter alone, for the benchmark: writes a
 * document shaped as the export's solution section, ROWS elements with the
 * twelve attributes of a timetable period, to FILE.
 *
 *     libxml2_writer ROWS FILE
 */
#include <libxml/xmlwriter.h>
#include <stdio.h>
#include <stdlib.h>

static const char *const names[] = {"ASIG", "AULA",  "CODGRUPO", "CURSO",    "DIA",   "GRUPO",
                                    "HORA", "NIVEL", "PROF",     "SESIONES", "TAREA", "TURNO"};
static const char *const values[] = {"MAT", "P1A", "1ESOA", "1\xC2\xBA", "3",    "A",
                                     "4",   "ESO", "FOI",   "1",         "CLAS", "M"};

int main(int argc, char **argv) {
  if (argc != 3) return 2;
  long rows = atol(argv[1]);
  xmlTextWriterPtr writer = xmlNewTextWriterFilename(argv[2], 0);
  if (!writer) return 1;
  xmlTextWriterStartDocument(writer, "1.0", "UTF-8", NULL);
  xmlTextWriterStartElement(writer, BAD_CAST "SERVICIO");
  xmlTextWriterStartElement(writer, BAD_CAST "SOLUCT");
  for (long row = 0; row < rows; ++row) {
    xmlTextWriterStartElement(writer, BAD_CAST "SOLUCF");
    for (int i = 0; i < 12; ++i) xmlTextWriterWriteAttribute(writer, BAD_CAST names[i], BAD_CAST values[i]);
    xmlTextWriterEndElement(writer);
  }
  xmlTextWriterEndDocument(writer);
  xmlFreeTextWriter(writer);
  return 0;
}
