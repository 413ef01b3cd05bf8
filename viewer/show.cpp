#include "viewer/show.h"

#include "viewer/grid.h"
#include "viewer/matrix_view.h"

namespace lumigrid {

int show_matrix(MatrixReader& reader, const show_request& request, std::ostream& out) {
  text_grid grid;
  matrix_view view(reader, grid);
  if (request.digits || request.columns) {
    if (request.digits) view.fields().digits = *request.digits;
    if (request.columns) view.fields().columns = *request.columns;
    view.Set();
  }
  view.fields().name = request.name;
  view.Reload();
  out << view.fields().status << '\n' << grid.dump();
  out.flush();
  return reader.error() ? 1 : 0;
}

}  // namespace lumigrid
