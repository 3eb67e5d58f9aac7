#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs each validation case through torvelando-cli (check --json and batch on its row) and
# compares the program's values with the worked ones within the worked value's printed rounding.
# Usage: verifica.py CLI CASES_FOLDER DATA_FOLDER CASE...
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile

# Worked quantity -> key of check --json's "results" and column of the batch output.
CHIAVI = {"VR": ("VR", "VR"), "TR": ("TR", "TR"), "ag": ("ag", "ag"), "F0": ("F0", None),
          "Ss": ("Ss", "Ss"), "S": ("S", "S"), "W": ("W", "W"), "Wa": ("Wa", "Wa"),
          "quota_v": ("share_vertical", None), "quota_o": ("share_horizontal", None),
          "Ta": ("Ta", "Ta"), "Sa": ("Sa", "Sa"), "Fa": ("Fa", "Fa"), "Rlat": ("Rlat", "Rlat"),
          "d_mm": ("d_mm", "d_mm"), "K1": ("K1", "K1"), "K2": ("K2", "K2"),
          "fe": ("sigma_crit", None), "qd": ("qd", None), "Tc": ("Tc", None),
          "lat_ed50": ("lat_ed50", "lat_ed50"), "lon_ed50": ("lon_ed50", "lon_ed50")}
DA_SET = ["PVR", "qa", "T1", "B", "L", "t", "gamma", "fd", "E", "Z", "H"]
# Given only where the case's row has them: the floor-spectrum data and the site as written
# (a datum or degrees, minutes and seconds; otherwise check takes the site from the job).
SE_DATI = ["n", "xi", "Tk"]


def mezza_unita(testo):
    decimali = len(testo.split(".")[1]) if "." in testo else 0
    return 0.5 * 10.0 ** -decimali


def suite_temporanea(casi, dati, caso):
    radice = tempfile.mkdtemp(prefix="validazione_")
    os.makedirs(os.path.join(radice, "progra"))
    os.makedirs(os.path.join(radice, "impostazioni"))
    for origine, nome in (("hazard_grid_ntc2008.txt", "parametri_per_spettro.txt"),
                          ("localities_it.txt", "coordinate_localita.txt")):
        os.symlink(os.path.join(dati, origine), os.path.join(radice, "progra", nome))
    with open(os.path.join(radice, "impostazioni", "dirlav"), "w") as f:
        f.write(os.path.join(casi, "lavori") + "\n")
    with open(os.path.join(radice, "impostazioni", "lavoro"), "w") as f:
        f.write(caso + "\n")
    return radice


def main():
    cli, casi, dati = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    attesi = {}
    with open(os.path.join(casi, "attesi.csv"), newline="") as f:
        for r in csv.DictReader(f):
            attesi.setdefault(r["caso"], []).append((r["grandezza"], r["valore"]))
    guasti, confronti = [], 0
    for caso in sys.argv[4:]:
        if caso not in attesi:
            guasti.append(f"{caso}: nessun valore atteso")
            continue
        radice = suite_temporanea(casi, dati, caso)
        with open(os.path.join(casi, "lavori", caso, "riga.csv"), newline="") as f:
            riga = next(csv.DictReader(f))
        comando = [cli, "check", "--root", radice, "--json", "--top", riga["top"],
                   "--left", riga["left"], "--right", riga["right"], "--demand", riga["domanda"]]
        for nome in DA_SET:
            comando += ["--set", f"{nome}={riga[nome]}"]
        for nome in SE_DATI:
            if riga.get(nome):
                comando += ["--set", f"{nome}={riga[nome]}"]
        if riga.get("datum") or "°" in riga["lat"] or " " in riga["lat"].strip():
            comando += ["--set", f"lat={riga['lat']}", "--set", f"lon={riga['lon']}"]
            if riga.get("datum"):
                comando += ["--datum", riga["datum"].lower()]
        esito = subprocess.run(comando, capture_output=True, text=True)
        lotto = subprocess.run([cli, "batch", os.path.join(casi, "lavori", caso, "riga.csv"),
                                "--root", radice], capture_output=True, text=True)
        shutil.rmtree(radice)
        fermata = dict(attesi[caso]).get("errore")
        if fermata is not None:
            # A case the check must refuse: exit 1 in both, the message in JSON and batch row.
            confronti += 2
            messaggi = json.loads(esito.stdout).get("messages", []) if esito.stdout else []
            uscita = next(csv.DictReader(io.StringIO(lotto.stdout)), {})
            if esito.returncode != 1 or not any(fermata in m for m in messaggi):
                guasti.append(f"{caso}: check uscita {esito.returncode}, messaggi {messaggi}")
            if lotto.returncode != 1 or fermata not in uscita.get("errore", ""):
                guasti.append(f"{caso}: batch uscita {lotto.returncode}, {uscita.get('errore')!r}")
            continue
        if esito.returncode != 0 or lotto.returncode != 0:
            guasti.append(f"{caso}: check uscita {esito.returncode}, batch uscita "
                          f"{lotto.returncode}: {esito.stderr.strip()} {lotto.stderr.strip()}")
            continue
        risultati = json.loads(esito.stdout)
        r = risultati["results"]
        uscita = next(csv.DictReader(io.StringIO(lotto.stdout)))
        for grandezza, testo in attesi[caso]:
            if grandezza in ("span", "verdict", "fonte"):
                atteso = testo
                dal_check = {"span": r["span"],
                             "verdict": "> Fa : OK" if r["verdict"] else "< Fa : !!!",
                             "fonte": "griglia" if risultati["hazard_source"] == "grid" else
                             f'{risultati["hazard_source"]} {risultati["island"]}'}[grandezza]
                confronti += 2
                if dal_check != atteso or uscita[grandezza] != atteso:
                    guasti.append(f"{caso} {grandezza}: atteso {atteso!r}, check {dal_check!r}, "
                                  f"batch {uscita[grandezza]!r}")
                continue
            valore, tolleranza = float(testo), mezza_unita(testo) * (1 + 1e-9) + 1e-12
            if grandezza.startswith("nodo"):
                # nodoN_codice / nodoN_km: the grid corners, in any order of the program's list.
                indice, campo = int(grandezza[4]) - 1, grandezza.split("_")[1]
                codici = [n["code"] for n in risultati["nodes"]]
                if campo == "codice":
                    confronti += 1
                    if int(valore) not in codici:
                        guasti.append(f"{caso} {grandezza}: nodo {testo} non fra {codici}")
                    continue
                codice = int(dict(attesi[caso])[f"nodo{indice + 1}_codice"])
                programma = next((n["distance_km"] for n in risultati["nodes"]
                                  if n["code"] == codice), float("nan"))
            else:
                programma = float(r[CHIAVI[grandezza][0]])
            confronti += 1
            if not abs(programma - valore) <= tolleranza:
                guasti.append(f"{caso} {grandezza}: calcolato {testo}, programma {programma!r}")
            colonna = CHIAVI.get(grandezza, (None, None))[1]
            if colonna:
                confronti += 1
                lotto_testo = uscita[colonna]
                if not abs(float(lotto_testo) - valore) <= tolleranza + mezza_unita(lotto_testo):
                    guasti.append(f"{caso} {grandezza}: calcolato {testo}, batch {lotto_testo}")
    for g in guasti:
        print(g)
    print(f"{len(sys.argv) - 4} casi, {confronti} confronti, {len(guasti)} scostamenti")
    return 1 if guasti or confronti == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
