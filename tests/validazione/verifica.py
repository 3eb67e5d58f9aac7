#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs each validation case through torvelando-cli (check --json and batch on its row) and
# compares the program's values with the worked ones within the worked value's printed rounding;
# a local mechanism's row (column verifica) with check --json --kind and its --set fields.
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

# A local mechanism (column verifica other than pannello): the mechanism's columns and the
# panel's columns it reuses, each given with --set where the row has it (empty is 0).
MECCANISMO = (["piani"] + [f"{n}{i}" for n in ("h", "t", "N", "dN", "F", "catena")
                           for i in range(1, 6)] + ["LC", "z0", "ammorsamenti", "hb", "lb",
                                                    "ts", "mu", "beta", "lati_cuneo", "appoggiato",
                                                    "Em", "analisi", "d_rottura"])
RIUSATI = ["lat", "lon", "VN", "Cu", "suolo", "St", "B", "gamma", "H", "T1", "n", "xi", "Tk"]
# Worked quantity of a mechanism -> key in the JSON's mechanism and column of the batch output
# (the batch has the governing mechanism only).
DEL_MECCANISMO = {"nome": ("name", "meccanismo"), "z": ("z", "z_cerniera"),
                  "h1": ("h1", "h1_cerniera"), "alpha0": ("alpha0", "alpha0"),
                  "e_star": ("e_star", "e_star"), "M_star": ("M_star", "M_star"),
                  "a0_star": ("a0_star", "a0_star"), "demand_SLD": ("demand_SLD", "demand_SLD"),
                  "demand_SLV": ("demand_SLV", "demand_SLV"),
                  "zeta_SLD": ("zeta_SLD", "zeta_SLD"), "zeta_SLV": ("zeta_SLV", "zeta_SLV"),
                  "ag_cap_SLD": ("ag_cap_SLD", "ag_cap_SLD"),
                  "ag_cap_SLV": ("ag_cap_SLV", "ag_cap_SLV"),
                  "attivo": ("active_without_earthquake", None),
                  "L_i": ("L_i", "L_interno"), "F_amm": ("interlock.F", "F_ammorsamento"),
                  "W_cuneo": ("wedge.W", "W_cuneo"), "T0": ("T0", "T0"),
                  "kappa": ("kappa", None), "d_y": ("d_y", None),
                  # The nonlinear check: the curve's zero and each limit state's point and demand.
                  "d0": ("nonlinear.d0", "d0"), "theta0": ("nonlinear.theta0", None),
                  "d_su_dC": ("nonlinear.d_over_dC", None), "a_terra": ("nonlinear.ground", None)}
for _stato in ("SLV", "SLC"):
    DEL_MECCANISMO.update({
        f"{_stato}_d": (f"nonlinear.{_stato}.d", f"d_{_stato}"),
        f"{_stato}_a": (f"nonlinear.{_stato}.a", None),
        f"{_stato}_T": (f"nonlinear.{_stato}.T", f"T_{_stato}"),
        f"{_stato}_xi": (f"nonlinear.{_stato}.xi", None),
        f"{_stato}_D": (f"nonlinear.{_stato}.demand", f"D_{_stato}"),
        f"{_stato}_T_D": (f"nonlinear.{_stato}.T_demand", None),
        f"{_stato}_zeta": (f"nonlinear.{_stato}.zeta",
                           "zeta_SLV_nl" if _stato == "SLV" else "zeta_SLC"),
        f"{_stato}_ag_cap": (f"nonlinear.{_stato}.ag_cap",
                             "ag_cap_SLV_nl" if _stato == "SLV" else "ag_cap_SLC"),
        f"{_stato}_da_SLD": (f"nonlinear.{_stato}.from_SLD", None)})
# Yes/no values of a mechanism, compared as JSON booleans.
SI_NO = {"attivo", "a_terra", "SLV_da_SLD", "SLC_da_SLD"}


def valore_json(m, chiave):
    """A mechanism's value by key, "a.b" for b inside the object a (None when absent)."""
    for parte in chiave.split("."):
        m = m.get(parte) if isinstance(m, dict) else None
    return m
# Worked quantity of the site -> key of "results" and column of the batch output.
DEL_SITO = {"TR_SLD": ("TR_SLD", "TR_SLD"), "ag_SLD": ("ag_SLD", "ag_SLD"),
            "TR_SLV": ("TR_SLV", "TR_SLV"), "ag_SLV": ("ag_SLV", "ag_SLV"),
            "S_SLD": ("S_SLD", None), "S_SLV": ("S_SLV", None), "FC": ("FC", None),
            "TR_SLC": ("TR_SLC", "TR_SLC"), "ag_SLC": ("ag_SLC", "ag_SLC"),
            "S_SLC": ("S_SLC", None)}


def mezza_unita(testo):
    decimali = len(testo.split(".")[1]) if "." in testo else 0
    return 0.5 * 10.0 ** -decimali


def esegui(cli, comando, casi, caso, radice):
    """check as `comando` asks, and batch on the case's row, in the temporary suite (removed)."""
    esito = subprocess.run(comando, capture_output=True, text=True)
    lotto = subprocess.run([cli, "batch", os.path.join(casi, "lavori", caso, "riga.csv"),
                            "--root", radice], capture_output=True, text=True)
    shutil.rmtree(radice)
    return esito, lotto


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


def confronta_numero(guasti, etichetta, testo, programma, lotto_testo=None):
    """One worked number against the program's (and the batch's, if given): the number of
    comparisons made."""
    valore, tolleranza = float(testo), mezza_unita(testo) * (1 + 1e-9) + 1e-12
    fatti = 1
    try:
        dal_programma = float(programma)
    except (TypeError, ValueError):
        dal_programma = float("nan")
    if not abs(dal_programma - valore) <= tolleranza:
        guasti.append(f"{etichetta}: calcolato {testo}, programma {programma!r}")
    if lotto_testo is not None:
        fatti += 1
        try:
            dal_lotto = float(lotto_testo)
            scarto = tolleranza + mezza_unita(lotto_testo)
        except ValueError:
            dal_lotto, scarto = float("nan"), 0.0
        if not abs(dal_lotto - valore) <= scarto:
            guasti.append(f"{etichetta}: calcolato {testo}, batch {lotto_testo!r}")
    return fatti


def verifica_meccanismo(cli, casi, dati, caso, riga, attesi, guasti):
    """A mechanism's row through check --json --kind and batch: the number of comparisons."""
    radice = suite_temporanea(casi, dati, caso)
    comando = [cli, "check", "--root", radice, "--json", "--kind",
               riga["verifica"].strip().lower(), "--demand", riga["domanda"]]
    for nome in MECCANISMO + RIUSATI:
        if (riga.get(nome) or "").strip():
            comando += ["--set", f"{nome}={riga[nome].strip()}"]
    if riga.get("datum"):
        comando += ["--datum", riga["datum"].lower()]
    esito, lotto = esegui(cli, comando, casi, caso, radice)
    if esito.returncode != 0 or lotto.returncode != 0:
        guasti.append(f"{caso}: check uscita {esito.returncode}, batch uscita "
                      f"{lotto.returncode}: {esito.stderr.strip()} {lotto.stderr.strip()}")
        return 0
    try:
        r = json.loads(esito.stdout)["results"]
        meccanismi = r["mechanisms"]
        governa = meccanismi[r["governing"]]
    except (ValueError, KeyError, IndexError, TypeError) as e:
        guasti.append(f"{caso}: risultati di check non leggibili ({e!r})")
        return 0
    uscita = next(csv.DictReader(io.StringIO(lotto.stdout)), {})
    # Every storey's mechanism is in the list, in storey order.
    attesi_nomi = [t for g, t in attesi if g.startswith("k") and g.endswith("_nome")]
    confronti = 1
    if [x.get("name") for x in meccanismi] != attesi_nomi:
        guasti.append(f"{caso}: meccanismi {[x.get('name') for x in meccanismi]}, "
                      f"attesi {attesi_nomi}")
    if governa.get("h1") is None:
        # Not a flexure: no middle hinge, in the JSON (null) nor in the batch (empty).
        confronti += 1
        if uscita.get("h1_cerniera", "") != "":
            guasti.append(f"{caso}: h1_cerniera {uscita.get('h1_cerniera')!r}, atteso vuoto")
    for grandezza, testo in attesi:
        etichetta = f"{caso} {grandezza}"
        if grandezza in DEL_SITO:
            chiave, colonna = DEL_SITO[grandezza]
            if colonna and colonna not in uscita:
                guasti.append(f"{etichetta}: colonna {colonna} assente dal batch")
            confronti += confronta_numero(guasti, etichetta, testo, r.get(chiave),
                                          uscita.get(colonna) if colonna else None)
        elif grandezza == "governing":
            confronti += 1
            if r["governing"] != int(testo):
                guasti.append(f"{etichetta}: calcolato {testo}, programma {r['governing']!r}")
        elif grandezza == "analysis":
            # The analysis asked for, in the JSON and in the batch's column as typed.
            confronti += 2
            if r.get("analysis") != testo:
                guasti.append(f"{etichetta}: atteso {testo!r}, check {r.get('analysis')!r}")
            scritta = {"nonlinear": "non lineare", "linear": "lineare"}[testo]
            if uscita.get("analisi", "").strip() != scritta:
                guasti.append(f"{etichetta}: atteso {scritta!r}, batch {uscita.get('analisi')!r}")
        elif grandezza in ("verdict", "verdict_SLD", "verdict_SLC"):
            confronti += 1
            chiave = grandezza
            dal_check = {True: "> : OK", False: "< : !!!"}.get(r.get(chiave))
            if dal_check != testo:
                guasti.append(f"{etichetta}: atteso {testo!r}, check {r.get(chiave)!r}")
            if grandezza == "verdict":
                # The batch's verdict column: " > : OK" or " < : !!!", spaces aside.
                confronti += 1
                if uscita.get("verdict", "").strip() != testo:
                    guasti.append(f"{etichetta}: atteso {testo!r}, batch "
                                  f"{uscita.get('verdict')!r}")
        else:
            # kN_quantity: the mechanism of storey N; gov_quantity and h1: the governing one,
            # which is also the batch's.
            prefisso, _, nome = grandezza.partition("_")
            if grandezza == "h1":
                prefisso, nome = "gov", "h1"
            if nome not in DEL_MECCANISMO or not (prefisso == "gov" or prefisso[1:].isdigit()):
                confronti += 1
                guasti.append(f"{etichetta}: grandezza sconosciuta")
                continue
            if prefisso == "gov":
                m = governa
            else:
                piano = int(prefisso[1:])
                m = next((x for x in meccanismi if x.get("storey") == piano), None)
                if m is None:
                    confronti += 1
                    guasti.append(f"{etichetta}: nessun meccanismo del piano {piano}")
                    continue
            chiave, colonna = DEL_MECCANISMO[nome]
            lotto_testo = uscita.get(colonna) if prefisso == "gov" and colonna else None
            if prefisso == "gov" and colonna and colonna not in uscita:
                guasti.append(f"{etichetta}: colonna {colonna} assente dal batch")
            if nome == "nome":
                confronti += 1
                if m.get(chiave) != testo:
                    guasti.append(f"{etichetta}: atteso {testo!r}, check {m.get(chiave)!r}")
                if lotto_testo is not None:
                    confronti += 1
                    if lotto_testo != testo:
                        guasti.append(f"{etichetta}: atteso {testo!r}, batch {lotto_testo!r}")
            elif nome in SI_NO:
                confronti += 1
                if valore_json(m, chiave) is not (testo == "true"):
                    guasti.append(f"{etichetta}: atteso {testo}, check "
                                  f"{valore_json(m, chiave)!r}")
            else:
                confronti += confronta_numero(guasti, etichetta, testo, valore_json(m, chiave),
                                              lotto_testo)
    if uscita.get("errore"):
        guasti.append(f"{caso}: batch errore {uscita['errore']!r}")
    return confronti


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
        with open(os.path.join(casi, "lavori", caso, "riga.csv"), newline="") as f:
            riga = next(csv.DictReader(f))
        if (riga.get("verifica") or "pannello").strip().lower() != "pannello":
            confronti += verifica_meccanismo(cli, casi, dati, caso, riga, attesi[caso], guasti)
            continue
        radice = suite_temporanea(casi, dati, caso)
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
        esito, lotto = esegui(cli, comando, casi, caso, radice)
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
