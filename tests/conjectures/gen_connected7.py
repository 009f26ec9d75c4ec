#!/usr/bin/python3
"""Writes connected7.txt: every connected graph on 7 vertices with the values that the
conjecture check reads the listed bounds back on.

Independent truth: the graphs come from nauty's geng, the values from networkx and numpy,
never from Orvalith's code. Run with Debian's interpreter and libraries, from the project root:

    /usr/bin/python3 tests/conjectures/gen_connected7.py

Output: a header line, then one graph per line, tab-separated:
    graph6  ORDER  SIZE  WIENER  DIAMETER  RADIUS  ENERGY  GIRTH  LMAX  LMIN
ENERGY (the sum of the absolute eigenvalues of the adjacency matrix), LMAX and LMIN (its largest
and smallest eigenvalue) are written with 17 significant digits, the others are integers. A tree has no cycle: its GIRTH is written as
1000000000000, the explorer's mark of an infinite value.
"""

import os
import subprocess

import networkx as nx
import numpy as np


def girth(g):
    """The length of a shortest cycle: an edge and a shortest path between its ends without it."""
    best = None
    for u, v in list(g.edges()):
        g.remove_edge(u, v)
        if nx.has_path(g, u, v):
            length = nx.shortest_path_length(g, u, v) + 1
            best = length if best is None else min(best, length)
        g.add_edge(u, v)
    return str(best) if best is not None else "1000000000000"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    lines = subprocess.run(["nauty-geng", "-c", "-q", "7"], check=True, capture_output=True,
                           text=True).stdout.split()
    out = ["graph6\tORDER\tSIZE\tWIENER\tDIAMETER\tRADIUS\tENERGY\tGIRTH\tLMAX\tLMIN"]
    for g6 in lines:
        g = nx.from_graph6_bytes(g6.encode("ascii"))
        a = nx.to_numpy_array(g, nodelist=sorted(g.nodes()))
        spectrum = np.linalg.eigvalsh(a)
        energy = float(np.sum(np.abs(spectrum)))
        out.append("\t".join([g6, str(g.number_of_nodes()), str(g.number_of_edges()),
                              str(int(nx.wiener_index(g))), str(nx.diameter(g)), str(nx.radius(g)),
                              "%.17g" % energy, girth(g), "%.17g" % float(spectrum.max()),
                              "%.17g" % float(spectrum.min())]))
    with open(os.path.join(here, "connected7.txt"), "w") as f:
        f.write("\n".join(out) + "\n")
    print("%d graphs written to connected7.txt" % (len(out) - 1))


if __name__ == "__main__":
    main()
