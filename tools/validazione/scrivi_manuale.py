#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes docs/manuale_validazione.md: the opening and closing chapters kept in docs/validazione,
# and one chapter per case with its worked steps (calcolo.py) beside the program's values.
# Usage: scrivi_manuale.py TORVELANDO_CLI [CASES_FOLDER] [DATA_FOLDER] [OUTPUT.md]
import csv
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import calcolo  # noqa: E402

TITOLI = {
    "v01": ("L'Aquila, la commessa dimostrativa", "reticolo; TR = 475 anni tabellato; suolo B; "
            "sommità appoggiata, lati liberi; EC8; pannello non verificato"),
    "v02": ("Firenze, quattro lati appoggiati con B > L", "suolo A; St = 1,2 (T2); quattro lati "
            "appoggiati con B > L (quota orizzontale 9,151·e^(−2,907·B/L)); EC8"),
    "v03": ("Napoli, PVR = 5 %", "TR = 975 anni; suolo C; sommità e lato sinistro appoggiati; "
            "Circolare C7.2.11, T1 < 0,5 s, primo tratto"),
    "v04": ("Reggio Calabria, VR = 150 anni", "TR = 1424 anni interpolato fra 975 e 2475; suolo D "
            "con Ss al minimo 0,90; St = 1,4 (T4); sommità e lato destro appoggiati; EC8"),
    "v05": ("Catania, sommità libera", "suolo E; St = 1,2; sommità libera e lati appoggiati, "
            "luce B; Circolare C7.2.11, 0,5 ≤ T1 ≤ 1 s, tratto centrale"),
    "v06": ("Milano, quattro lati appoggiati con B ≤ L", "Cu = 2, TR = 949 anni interpolato; "
            "suolo B con Ss al massimo 1,20; luce B; Circolare C7.2.11, terzo tratto"),
    "v07": ("Palermo, instabilità dell'arco", "suolo C; parete sottile e alta: σ_crit < fd, "
            "K2 < 1; EC8 con Sa al minimo α·S"),
    "v08": ("Cagliari, isola del gruppo G1", "Tabella 2, Sardegna; Cu = 1,5, TR = 712 anni "
            "interpolato; suolo B con Ss al massimo 1,20; EC8"),
    "v09": ("Lipari, isola del gruppo G5", "Tabella 2; suolo A; sommità e lato sinistro "
            "appoggiati; EC8"),
    "v10": ("Perugia, unità m, kN, kN/m³, N/mm²", "secondo sistema di unità; suolo C; St = 1,2; "
            "sommità e lato destro appoggiati; EC8"),
    "v11": ("Bologna, unità mm, kgf, kgf/m³, kgf/cm²", "terzo sistema di unità, con g = 9,81; "
            "suolo D con Ss al massimo 1,80; sommità libera; Circolare C7.2.11, T1 > 1 s"),
    "v12": ("Genova, TR limitato a 30 anni", "PVR = 90 %: TR = 21,7 → 30 anni; suolo A; EC8"),
    "v13": ("L'Aquila, VR al minimo di 35 anni", "VN = 10, Cu = 1: VR = max(10; 35) = 35 anni, "
            "TR = 332 anni interpolato fra 201 e 475; suolo B; EC8"),
    "v14": ("Istrana, sito presso una fila del reticolo", "il sito sta 37 m a nord del lato sud "
            "della maglia che lo contiene, le cui file sono inclinate: la maglia è quella che "
            "contiene il sito, non quella del nodo più vicino; suolo C; EC8"),
    "v15": ("Ornago, sito presso una colonna del reticolo", "il sito sta 40 m a ovest del lato "
            "est della sua maglia (NW 11597); Cu = 1,5; suolo B con Ss al massimo; quattro lati "
            "appoggiati; Circolare C7.2.11"),
    "v16": ("Foligno, spettro di piano con Tk = T1", "Circolare C7.2.5 con Tk vuoto (vale T1), "
            "n = 4, ξ = 5 %; Ta < 0,8 · Tk, primo tratto; suolo C, St = 1,2"),
    "v17": ("Sulmona, spettro di piano sotto lo spettro del sito", "Circolare C7.2.5 con "
            "Tk = 0,15 s dato, Ta ≥ 1,1 · Tk (terzo tratto): per Ta > Tk vale il minimo "
            "Se(Ta, 5 %); Tk sul ramo crescente dello spettro; instabilità dell'arco"),
    "v18": ("Rieti, spettro di piano nel tratto costante", "Circolare C7.2.5 con Tk = 0,2 s "
            "dato, 0,8 · Tk ≤ Ta < 1,1 · Tk; n = 2, ξ = 8 %; suolo A"),
    "v19": ("Messina, parapetto a mensola", "sommità e lati liberi: periodo della mensola e "
            "resistenza a ribaltamento attorno allo spigolo di base (NTC 2018 § 7.8.2.2.3); "
            "Z > H; qa = 1"),
    "v20": ("Campobasso, mensola con la base schiacciata", "σ0 ≥ 0,85 · fd: la verifica si "
            "ferma con il suo messaggio, senza risultati"),
    "v21": ("Pisa, coordinate WGS84", "sito scritto in WGS84 e convertito in ED50 "
            "(EPSG:1133 inversa) prima di cercare la maglia; sommità e lato destro appoggiati"),
    "v22": ("Ancona, coordinate in gradi, primi e secondi", "43°36'26\" N e 13°30'37\" E, "
            "con i segni; sommità e lato sinistro appoggiati"),
}
NOMI = {"VR": "VR [anni]", "TR": "TR [anni]", "ag": "ag/g", "F0": "F0", "Ss": "Ss", "S": "S",
        "quota_v": "quota verticale", "quota_o": "quota orizzontale", "W": "W", "Wa": "Wa",
        "Ta": "Ta [s]", "Sa": "Sa", "Fa": "Fa", "Rlat": "F_lat,d", "d_mm": "d_a [mm]",
        "K1": "K1", "K2": "K2", "fe": "σ_crit", "qd": "qd", "Tc": "Tc*",
        "lat_ed50": "lat. ED50", "lon_ed50": "long. ED50"}
REGOLA = {("1", "0", "0"): "lati verticali liberi, quote 1 e 0",
          ("1", "1", "0"): "un solo lato verticale appoggiato, quota verticale (B − 2t)/B",
          ("1", "0", "1"): "un solo lato verticale appoggiato, quota verticale (B − 2t)/B",
          ("0", "1", "1"): "sommità libera, quota orizzontale (L − 2t)/L",
          ("0", "0", "0"): "mensola",
          ("1", "1", "1"): "quattro lati appoggiati, quota nella direzione della luce maggiore "
                           "9,151 · e^(−2,907 · luce maggiore / minore)"}
GREZZI = {"VR": "VR", "TR": "TR", "ag": "ag", "F0": "F0", "Ss": "Ss", "S": "S", "quota_v": "qv",
          "quota_o": "qo", "W": "W_u", "Wa": "Wa_u", "Ta": "Ta", "Sa": "Sa", "Fa": "Fa_u",
          "Rlat": "Rlat_u", "d_mm": "d_mm", "K1": "K1", "K2": "K2", "fe": "sigma_u", "qd": "qd_u",
          "Tc": "Tc", "lat_ed50": "lat", "lon_ed50": "lon"}
SS = {"A": None, "B": ("1,40", "0,40"), "C": ("1,70", "0,60"), "D": ("2,40", "1,50"),
      "E": ("2,00", "1,10")}
JSON = {"VR": "VR", "TR": "TR", "ag": "ag", "F0": "F0", "Ss": "Ss", "S": "S",
        "quota_v": "share_vertical", "quota_o": "share_horizontal", "W": "W", "Wa": "Wa",
        "Ta": "Ta", "Sa": "Sa", "Fa": "Fa", "Rlat": "Rlat", "d_mm": "d_mm", "K1": "K1",
        "K2": "K2", "fe": "sigma_crit", "qd": "qd", "Tc": "Tc", "lat_ed50": "lat_ed50",
        "lon_ed50": "lon_ed50"}


def n(x, decimali):
    return f"{x:.{decimali}f}".replace(".", ",").replace("-", "−")


def g6(x, cifre=6):
    """Significant digits, decimal comma, powers of ten written out."""
    testo = f"{x:.{cifre}g}"
    if "e" in testo:
        mantissa, esponente = testo.split("e")
        apici = str.maketrans("-0123456789", "⁻⁰¹²³⁴⁵⁶⁷⁸⁹")
        testo = f"{mantissa} · 10{str(int(esponente)).translate(apici)}"
    return testo.replace(".", ",").replace("-", "−")


def programma(cli, casi, dati, caso, riga):
    radice = tempfile.mkdtemp(prefix="validazione_")
    try:
        os.makedirs(os.path.join(radice, "progra"))
        os.makedirs(os.path.join(radice, "impostazioni"))
        shutil.copy(os.path.join(dati, "hazard_grid_ntc2008.txt"),
                    os.path.join(radice, "progra", "parametri_per_spettro.txt"))
        shutil.copy(os.path.join(dati, "localities_it.txt"),
                    os.path.join(radice, "progra", "coordinate_localita.txt"))
        with open(os.path.join(radice, "impostazioni", "dirlav"), "w") as f:
            f.write(os.path.abspath(os.path.join(casi, "lavori")) + "\n")
        with open(os.path.join(radice, "impostazioni", "lavoro"), "w") as f:
            f.write(caso + "\n")
        comando = [cli, "check", "--root", radice, "--json", "--top", riga["top"], "--left",
                   riga["left"], "--right", riga["right"], "--demand", riga["domanda"]]
        for nome in ["PVR", "qa", "T1", "B", "L", "t", "gamma", "fd", "E", "Z", "H", "n", "xi",
                     "Tk"]:
            if riga.get(nome):
                comando += ["--set", f"{nome}={riga[nome]}"]
        if riga.get("datum") or "°" in riga["lat"]:
            comando += ["--set", f"lat={riga['lat']}", "--set", f"lon={riga['lon']}"]
            comando += ["--datum", riga["datum"].lower()] if riga.get("datum") else []
        return json.loads(subprocess.run(comando, capture_output=True, text=True).stdout)
    finally:
        shutil.rmtree(radice)


def capitolo(numero, caso, cartella, riga, unita, g, v, attesi, prog, scarti):
    titolo, copre = TITOLI[caso]
    fl, ff, fp, fs = v["fattori"]
    uf, ul, us = unita["forze"], unita["lunghezze"], unita["tensioni"]
    out = [f"# {numero}. Caso {caso}: {titolo}", "", f"**Che cosa prova:** {copre}.", ""]
    out += ["## Dati", "",
            f"Commessa `docs/validazione/lavori/{caso}`: unità di lavoro {ul}, {uf}, "
            f"{unita['pesi_specifici']}, {us}, g = {n(g, 2)} m/s². File sismica_2008.txt:", "",
            "```"]
    with open(os.path.join(cartella, "sismica_2008.txt"), encoding="cp1252") as f:
        out += [r for r in f.read().splitlines()[2:] if r.strip()]
    out += ["```", "", "Riga del calcolo a lotti (`riga.csv`, nelle unità di lavoro), qui in due "
            "metà:", ""]
    with open(os.path.join(cartella, "riga.csv")) as f:
        nomi, valori = list(csv.reader(f))[:2]
    for parte in (slice(0, 11), slice(11, None)):
        out += ["| " + " | ".join(nomi[parte]) + " |", "|" + "---|" * len(nomi[parte]),
                "| " + " | ".join(valori[parte]) + " |", ""]
    out += ["## Pericolosità del sito", ""]
    PVR = float(riga["PVR"])
    out += [f"- VR = max(VN · Cu; 35) = max({riga['VN']} · {riga['Cu'].replace('.', ',')}; 35) = "
            f"**{n(v['VR'], 1)} anni**; TR = −VR / ln(1 − {n(PVR / 100, 2)}) = "
            f"{n(v['TR_grezzo'], 2)} → **{v['TR']} anni**"
            + (" (limitato a 30)" if v["TR_grezzo"] < 29.5 else "") + "."]
    if v["gms"]:
        for nome, testo, valore in (("lat.", riga["lat"], v["lat_scritta"]),
                                    ("long.", riga["lon"], v["lon_scritta"])):
            parti = testo.replace("°", " ").replace("'", " ").replace('"', " ").split()
            out.append(f"- {nome} {testo} = {parti[0]} + {parti[1]}/60 + {parti[2]}/3600 = "
                       f"**{n(valore, 6)}°**" + (";" if nome == "lat." else " (ED50)."))
    if v["datum"] == "WGS84":
        (X, Y, Z), (X5, Y5, Z5) = v["geocentriche"]
        out += [f"- Coordinate scritte in WGS84 (lat. {n(v['lat_scritta'], 4)}, long. "
                f"{n(v['lon_scritta'], 4)}, quota ellissoidica 0): geocentriche sull'ellissoide "
                f"WGS84 (a = 6378137 m, 1/f = 298,257223563) X = {n(X, 3)}, Y = {n(Y, 3)}, "
                f"Z = {n(Z, 3)} m; la trasformazione EPSG:1133 (da ED50 a WGS84: −87, −98, −121 m) "
                f"si inverte sommando (87; 98; 121): X = {n(X5, 3)}, Y = {n(Y5, 3)}, "
                f"Z = {n(Z5, 3)} m; le coordinate geodetiche sull'ellissoide internazionale 1924 "
                f"(a = 6378388 m, 1/f = 297), per iterazione della latitudine, sono "
                f"**lat. {n(v['lat'], 6)}, long. {n(v['lon'], 6)}** (ED50)."]
    if v["nodi"]:
        lati = calcolo.distanze_lati(v["nodi"], v["lat"], v["lon"])
        vicino = min(lati, key=lati.get)
        out += [f"- Maglia del reticolo che contiene il sito: nodi NW c, NE c + 1, SW c + 222, "
                f"SE c + 223 con c = {v['nodi'][2][0]}; il sito sta dentro il quadrilatero dei "
                f"quattro nodi (bordo compreso), nel piano in cui un grado di longitudine vale "
                f"cos(lat.) gradi di latitudine, a {n(lati[vicino], 0)} m dal lato {vicino} "
                f"(dagli altri lati: "
                + ", ".join(f"{k} {n(lati[k], 0)} m" for k in ("sud", "est", "nord", "ovest")
                            if k != vicino)
                + "). Distanze sulla sfera di raggio 6371 km:", "",
                "| nodo | codice | long. | lat. | d [km] | 1/d |", "|---|---|---|---|---|---|"]
        for nome, nodo in zip(("SW", "SE", "NW", "NE"), v["nodi"]):
            out.append(f"| {nome} | {nodo[0]} | {n(nodo[1], 4)} | {n(nodo[2], 4)} | "
                       f"{n(nodo[3], 3)} | {n(1 / nodo[3], 5)} |")
        out += ["", f"- Media pesata con 1/d al periodo TR1 = {v['TR1']}: ag/g = "
                f"{n(v['ag1'], 5)}, F0 = {n(v['F01'], 4)}"
                + (f", Tc* = {n(v['Tc1'], 4)} s." if v["domanda"] == "C7.2.5" else ".")]
    else:
        out += [f"- Il sito non ha quattro nodi del reticolo attorno: zona **{v['fonte']}** della "
                f"Tabella 2; a TR1 = {v['TR1']}: ag/g = {n(v['ag1'], 4)}, F0 = {n(v['F01'], 3)}."]
    if v["TR1"] != v["TR2"]:
        out += [f"- A TR2 = {v['TR2']}: ag/g = {n(v['ag2'], 5)}, F0 = {n(v['F02'], 4)}; in scala "
                f"logaritmica, con log(TR/TR1)/log(TR2/TR1) = "
                f"{n(math.log(v['TR'] / v['TR1']) / math.log(v['TR2'] / v['TR1']), 5)}:"]
    out += [f"- **ag/g = {n(v['ag'], 5)}**, **F0 = {n(v['F0'], 4)}**.",
            f"- Suolo {riga['suolo']}: Ss = "
            + (f"{SS[riga['suolo']][0]} − {SS[riga['suolo']][1]} · {n(v['F0'], 4)} · "
               f"{n(v['ag'], 5)} = " if SS[riga['suolo']] else "")
            + (f"{n(v['Ss_grezzo'], 4)}, limitato a **{n(v['Ss'], 2)}**"
               if abs(v['Ss'] - v['Ss_grezzo']) > 1e-12 else f"**{n(v['Ss'], 4)}**")
            + f"; St = {n(v['St'], 2)}; **S = {n(v['S'], 4)}**; α · S = {n(v['aS'], 5)}.", ""]

    out += ["## Azione sul pannello", ""]
    B, L, t = float(riga["B"]), float(riga["L"]), float(riga["t"])
    out += [
            f"- Nelle unità di base (cm, daN): B = {n(B * fl, 1)} cm, L = {n(L * fl, 1)} cm, "
            f"t = {n(t * fl, 1)} cm, γ = {g6(float(riga['gamma']) * fp)} daN/cm³, "
            f"fd = {n(float(riga['fd']) * fs, 4)} daN/cm², E = {n(float(riga['E']) * fs, 1)} "
            f"daN/cm².",
            f"- W = L · B · t · γ = **{n(v['W'], 3)} daN** = {n(v['W_u'], 4)} {uf}.",
            f"- Vincoli (sommità, sinistra, destra) = ({riga['top']}, {riga['left']}, "
            f"{riga['right']}), {REGOLA[(riga['top'], riga['left'], riga['right'])]}: "
            f"quota verticale {n(v['qv'], 4)}, quota orizzontale "
            f"{n(v['qo'], 4)}; B² · {n(v['qo'], 4)} = {n(B * B * fl * fl * v['qo'], 1)} e "
            f"L² · {n(v['qv'], 4)} = {n(L * L * fl * fl * v['qv'], 1)}: il pannello lavora con "
            f"luce **{v['span']}**, l_a = {n(v['la'], 1)} cm, quota {n(v['quota'], 4)}, "
            f"Wa = {n(v['Wa'], 3)} daN."]
    if v["mensola"]:
        out[-1] = (f"- Vincoli (sommità, sinistra, destra) = (0, 0, 0): mensola incastrata alla "
                   f"base, luce L, l_a = {n(v['la'], 1)} cm, Wa = W = {n(v['Wa'], 3)} daN.")
        out += [f"- m = γ · t · B / 981 = {g6(v['m'])} daN·s²/cm²; J = B · t³ / 12 = "
                f"{n(v['J'], 1)} cm⁴; Ta = (2π / 1,8751040687119611²) · L² · √(m / (E · J)) = "
                f"**{n(v['Ta'], 5)} s**."]
    else:
        out += [
            f"- J = t³ · b / 12 = {n(v['J'], 1)} cm⁴ (b = {n(v['b'], 1)} cm); Ta = √(l_a³ · quota "
            f"· W / (E · J · 981)) / (π/2) = √({n(v['la'], 1)}³ · {n(v['quota'], 4)} · "
            f"{n(v['W'], 3)} / ({n(float(riga['E']) * fs, 1)} · {n(v['J'], 1)} · 981)) / (π/2) "
            f"= **{n(v['Ta'], 5)} s**."]
    if v["domanda"] == "C7.2.5":
        Zh = float(riga["Z"]) / float(riga["H"])
        out += [f"- Spettro elastico del sito (NTC 2018 § 3.2.3.2.1): Tc* = {n(v['Tc'], 4)} s, "
                f"TB = {n(v['TB'], 4)} s, TC = {n(v['TC'], 4)} s, TD = {n(v['TD'], 4)} s.",
                f"- Circolare C7.2.5, n = {v['npiani']}, ξk = {n(v['xi'], 1)} %, Tk = "
                + (f"{n(v['Tk'], 2)} s (dato)" if v["Tk_dato"] else
                   f"T1 = {n(v['Tk'], 2)} s (campo vuoto)")
                + f": η(ξk) = {n(v['eta_k'], 5)}, Se(Tk, ξk) = {n(v['Se_k'], 5)}; γ1 = 3n / "
                f"(2n + 1) = {n(v['gamma1'], 5)}; √(1 + 0,0004 · ξk²) = {n(v['radice'], 5)}; "
                f"aZ = Se(Tk, ξk) · γ1 · Z/H · √(…) = {n(v['Se_k'], 5)} · {n(v['gamma1'], 5)} · "
                f"{n(Zh, 5)} · {n(v['radice'], 5)} = {n(v['aZ'], 5)}; A = 1,1 · "
                f"{n(v['xi'] / 100, 2)}^−0,5 = {n(v['A'], 5)}.",
                f"- 0,8 · Tk = {n(0.8 * v['Tk'], 4)} s, 1,1 · Tk = {n(1.1 * v['Tk'], 4)} s, "
                f"Ta = {n(v['Ta'], 5)} s: "
                + {1: f"primo tratto, S_eZ = A · aZ / [1 + (A − 1) · (1 − Ta/(0,8 · Tk))^1,6] "
                      f"= {n(v['SeZ'], 5)}",
                   2: f"tratto costante, S_eZ = A · aZ = {n(v['SeZ'], 5)}",
                   3: f"terzo tratto, S_eZ = A · aZ / [1 + (A − 1) · (Ta/(1,1 · Tk) − 1)^1,2] "
                      f"= {n(v['SeZ'], 5)}"}[v["tratto"]]
                + (f"; Ta > Tk: S_eZ non meno di Se(Ta, 5 %) = {n(v['Se_a'], 5)}, che governa "
                   f"(Sa = {n(v['Sa_formula'], 5)})" if v["Se_a"] is not None and
                   v["Se_a"] > v["SeZ"] else
                   f"; Ta > Tk: Se(Ta, 5 %) = {n(v['Se_a'], 5)}, minore" if v["Se_a"] is not None
                   else "; Ta ≤ Tk: nessun minimo Se(Ta)")]
    elif "fattore" in v:
        out += [f"- EC8, T1 = {riga['T1'].replace('.', ',')} s, Z/H = "
                f"{n(float(riga['Z']) / float(riga['H']), 5)}, Ta/T1 = "
                f"{n(v['Ta'] / float(riga['T1']), 5)}: "
                f"3 · (1 + Z/H) / (1 + (1 − Ta/T1)²) − 0,5 = {n(v['fattore'], 5)}; "
                f"Sa = α · S · {n(v['fattore'], 5)} = {n(v['Sa_formula'], 5)}"]
    else:
        out += [f"- Circolare C7.2.11, T1 = {riga['T1'].replace('.', ',')} s, Z/H = "
                f"{n(float(riga['Z']) / float(riga['H']), 5)}: a = {n(v['c7a'], 1)}, "
                f"b = {n(v['c7b'], 1)}, ap = {n(v['ap'], 1)}; a · T1 = "
                f"{n(v['c7a'] * float(riga['T1']), 3)} s, b · T1 = "
                f"{n(v['c7b'] * float(riga['T1']), 3)} s: tratto {v['tratto']}, denominatore "
                f"{n(v['den'], 5)}; Sa = α · S · (1 + Z/H) · ap / {n(v['den'], 5)} = "
                f"{n(v['Sa_formula'], 5)}"]
    out[-1] += (f", minore di α · S: **Sa = {n(v['Sa'], 5)}**." if v["Sa_formula"] < v["aS"]
                else f": **Sa = {n(v['Sa'], 5)}**.")
    out += [f"- Fa = Sa · Wa / qa = {n(v['Sa'], 5)} · {n(v['Wa'], 3)} / {riga['qa']} = "
            f"**{n(v['Fa'], 3)} daN** = {n(v['Fa_u'], 4)} {uf}.", ""]

    if v["mensola"]:
        fd = float(riga["fd"]) * fs
        out += ["## Resistenza a ribaltamento", "",
                f"- N = W = {n(v['N'], 3)} daN; σ0 = N / (B · t) = {n(v['sigma0'], 4)} daN/cm²; "
                f"0,85 · fd = {n(0.85 * fd, 4)} daN/cm²."]
        if v["errore"]:
            out += ["", "## Esito", "",
                    "σ0 ≥ 0,85 · fd: la base si schiaccia prima di ribaltarsi; la verifica si "
                    "ferma con il messaggio \"Verifica non possibile: σ0 (tensione media alla "
                    "base della mensola) non minore di 0.85·fd …\" e non dà risultati.", ""]
        else:
            out += [f"- M_Rd = N · (t/2) · (1 − σ0 / (0,85 · fd)) = {n(v['MRd'], 3)} daN·cm; "
                    f"F_lat,d = 2 · M_Rd / L = **{n(v['Rlat'], 3)} daN** = "
                    f"{n(v['Rlat_u'], 4)} {uf}.", "", "## Esito", "",
                    f"F_lat,d {'≥' if v['Rlat'] >= v['Fa'] else '<'} Fa: "
                    f"**\"{v['verdict']}\"**.", ""]
    ar = v["arco"] or {}
    out += [] if v["mensola"] else ["## Resistenza ad arco", "",
            f"- a = l_a / 2 = {n(ar['a'], 2)} cm, h = 0,9 · t = {n(ar['h'], 3)} cm, "
            f"l0 = l(a, h) = {n(ar['l0'], 5)} cm.",
            f"- Massimo di q(f) su [0; h] (ricerca della sezione aurea, fino a 10⁻¹² cm): "
            f"f_crit = {n(ar['fcrit'], 4)} cm, q_crit = {g6(ar['qcrit'])} daN/cm², "
            f"σ_crit = **{n(ar['scrit'], 3)} daN/cm²**."]
    fd = float(riga["fd"]) * fs
    if v["mensola"]:
        pass
    elif ar["governa"] == "instabilità":
        out += [f"- σ_crit < fd = {n(fd, 3)}: governa l'instabilità; qd = q_crit, f = f_crit, "
                f"K2 = σ_crit / fd = **{n(v['K2'], 4)}**; riferimento (t/l_a)² · σ_crit = "
                f"{g6(ar['rif'])} daN/cm²."]
    else:
        out += [f"- σ_crit ≥ fd = {n(fd, 3)}: governa la resistenza; σ(f) = fd per bisezione su "
                f"[0; f_crit]: f = {n(ar['f'], 5)} cm, qd = q(f) = {g6(ar['qd'])} daN/cm², "
                f"K2 = 1; riferimento (t/l_a)² · fd = {g6(ar['rif'])} daN/cm²."]
    out += [] if v["mensola"] else [
            f"- K1 = qd / riferimento = **{n(v['K1'], 4)}**; d_a = 10 · f = "
            f"**{n(v['d_mm'], 3)} mm**.",
            f"- F_lat,d = qd · B · L = **{n(v['Rlat'], 3)} daN** = {n(v['Rlat_u'], 4)} {uf}.",
            "", "## Esito", "",
            f"F_lat,d {'≥' if v['Rlat'] >= v['Fa'] else '<'} Fa: **\"{v['verdict']}\"**.", ""]

    out += ["## Confronto con il programma", "",
            f"Valori del programma da `torvelando-cli check --json` (non arrotondati, nelle unità "
            f"di lavoro: forze in {uf}, tensioni in {us}); differenza = programma − calcolo a "
            f"mano non arrotondato; il confronto è superato quando il programma dista dal valore "
            f"stampato al più la tolleranza.", "",
            "| grandezza | calcolo | programma | differenza | tolleranza |",
            "|---|---|---|---|---|"]
    r = prog["results"] if prog else None
    fuori = []
    if v["errore"]:
        messaggi = prog.get("messages", []) if prog else []
        uguale = any(attesi[0][1] in m for m in messaggi)
        out = out[:-4] + ["Messaggio di `torvelando-cli check --json` (campo `messages`; uscita "
                          "1, come il calcolo a lotti, la cui riga lo riporta nella colonna "
                          "`errore`):", "",
                          "| messaggio atteso | messaggio del programma | esito |", "|---|---|---|",
                          f"| {attesi[0][1]} … | {'; '.join(messaggi) or '–'} | "
                          f"{'uguale' if uguale else 'DIVERSO'} |", "",
                          "Il programma si ferma come atteso." if uguale else
                          "**Il programma non si ferma come atteso.**", ""]
        return out
    for nome, testo in attesi:
        if nome not in NOMI:
            continue
        valore = float(testo)
        dec = len(testo.split(".")[1]) if "." in testo else 0
        if r is None:
            p, d = "–", "–"
        else:
            p = float(r[JSON[nome]])
            d = g6(p - v[GREZZI[nome]], 2) if p != v[GREZZI[nome]] else "0"
            scarti.append((abs(p - v[GREZZI[nome]]) / max(abs(p), 1e-300), caso, nome,
                           p - v[GREZZI[nome]]))
            if abs(p - valore) > 0.5 * 10 ** -dec * (1 + 1e-9) + 1e-12:
                fuori.append(NOMI[nome])
            p = n(p, dec + 3)
        out.append(f"| {NOMI[nome]} | {testo.replace('.', ',')} | {p} | {d} | "
                   f"{n(0.5 * 10 ** -dec, dec + 1)} |")
    esiti = {"verdict": ("esito", lambda: "> Fa : OK" if r["verdict"] else "< Fa : !!!"),
             "span": ("luce", lambda: r["span"]),
             "fonte": ("fonte", lambda: "griglia" if prog["hazard_source"] == "grid"
                       else f"{prog['hazard_source']} {prog['island']}")}
    for nome, testo in attesi:
        if nome in esiti:
            etichetta, valore = esiti[nome]
            out.append(f"| {etichetta} | {testo} | {valore() if r else '–'} | "
                       f"{'uguale' if r and valore() == testo else '–'} | |")
    if fuori:
        out += ["", f"**Fuori tolleranza:** {', '.join(fuori)}. Il programma con cui è stata "
                f"scritta questa edizione non supera il caso."]
    else:
        out += ["", "Tutti i valori del programma sono entro la tolleranza."]
    if v["nodi"] and prog:
        codici = sorted(nodo["code"] for nodo in prog["nodes"])
        out += ["", f"Nodi del programma: {', '.join(map(str, codici))}"
                + (" (gli stessi quattro)." if codici == sorted(x[0] for x in v["nodi"])
                   else " (DIVERSI).")]
    out.append("")
    return out


def main():
    cli = sys.argv[1]
    casi = sys.argv[2] if len(sys.argv) > 2 else "docs/validazione"
    dati = sys.argv[3] if len(sys.argv) > 3 else "../shared/data"
    uscita = sys.argv[4] if len(sys.argv) > 4 else "docs/manuale_validazione.md"
    punti = calcolo.leggi_griglia(os.path.join(dati, "hazard_grid_ntc2008.txt"))
    gruppi, zone = calcolo.leggi_isole(os.path.join(dati, "islands_ntc2008.txt"))
    with open(os.path.join(casi, "testa.md")) as f:
        testo = f.read().rstrip("\n").split("\n") + [""]
    primo = int(os.environ.get("TV_PRIMO_CAPITOLO", "3"))
    with open(os.path.join(casi, "attesi.csv"), newline="") as f:
        attesi = {}
        for r in csv.DictReader(f):
            attesi.setdefault(r["caso"], []).append((r["grandezza"], r["valore"]))
    scarti = []
    for i, caso in enumerate(sorted(os.listdir(os.path.join(casi, "lavori")))):
        cartella = os.path.join(casi, "lavori", caso)
        unita, g = calcolo.leggi_parametri(cartella)
        with open(os.path.join(cartella, "riga.csv"), newline="") as f:
            riga = next(csv.DictReader(f))
        v = calcolo.calcola(riga, unita, g, punti, gruppi, zone)
        prog = programma(cli, casi, dati, caso, riga)
        testo += capitolo(primo + i, caso, cartella, riga, unita, g, v, attesi[caso], prog,
                          scarti)
    with open(os.path.join(casi, "limiti.md")) as f:
        testo += f.read().rstrip("\n").split("\n")
    with open(uscita, "w") as f:
        f.write("\n".join(testo) + "\n")
    # The largest relative differences, for the opening chapter.
    for relativo, caso, nome, assoluto in sorted(x for x in scarti if x[1] != 'v13')[::-1]:
        print(f"{caso} {nome}: {assoluto:+.3g} ({relativo:.2g} relativo)")


if __name__ == "__main__":
    main()
