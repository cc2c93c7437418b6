#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A parameter study spread over a Dask cluster: Pbumax of five JIS bars at bond lengths from 10
to 60 cm, one Dask task per run, and the summary kvt-batch would write for the same study.

    /usr/bin/python3 examples/dask_study.py [--scheduler ADDRESS] [--out FILE.csv]

With a scheduler's address (tcp://host:8786) the runs go to that cluster's workers, which need
kvt installed; without one a LocalCluster of two worker processes is started on this machine.
The summary goes to FILE.csv (default dask_study.csv), exactly as
``kvt-batch --vary bar=D13,D16,D19,D22,D25 --vary lb=10:60:5 default.kvt`` writes it for the
window's start values.
"""

import argparse

from dask.distributed import Client, LocalCluster

import kvt

VARY = {"bar": ["D13", "D16", "D19", "D22", "D25"], "lb": "10:60:5"}


def study_on(client: Client, case: kvt.Case) -> kvt.KvtFrame:
    """The study's summary, its runs computed on the client's workers."""
    return kvt.study(case, VARY, client=client)


def main(argv=None) -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scheduler", help="the address of a running Dask scheduler")
    parser.add_argument("--out", default="dask_study.csv", help="where the summary goes")
    args = parser.parse_args(argv)
    if args.scheduler:
        client = Client(args.scheduler)
    else:
        client = Client(LocalCluster(n_workers=2, threads_per_worker=1, processes=True))
    with client:
        summary = study_on(client, kvt.Case())
    summary.to_csv(args.out, index=False)
    print(f"{len(summary)} runs → {args.out}; Pbumax (kgf) by lb (cm) and bar:")
    table = summary.pivot(index="lb (cm)", columns="bar (JIS G 3112)", values="Pbumax (kgf)")
    print(table.round().to_string())


if __name__ == "__main__":
    main()
