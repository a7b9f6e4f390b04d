"""Shared by the table generators: C++ table cells, as many a line as fit in
the 100 columns of the C++ files."""


def write_cells(out, cells, width=100):
    line = ""
    for cell in cells:
        if line and len(line) + 1 + len(cell) > width:
            out.write(line + "\n")
            line = ""
        line = line + " " + cell if line else cell
    out.write(line + "\n")
